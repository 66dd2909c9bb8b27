#include "CompatibilityMarker.h"

#include <windows.h>

#include "UninstallNames.h"
#include "Win32Handles.h"

bool MarkCompatibilityPersisted() {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, uninstall::kCompatibilityKey, 0, KEY_READ | KEY_WRITE, &raw) !=
      ERROR_SUCCESS)
    return false;
  UniqueRegistryKey key(raw);
  wchar_t self[uninstall::kPathCapacity] = {};
  const DWORD length = GetModuleFileNameW(nullptr, self, uninstall::kPathCapacity);
  if (length == 0 || length >= uninstall::kPathCapacity) return false;
  const DWORD one = 1;
  return RegSetValueExW(key.Get(), self, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one) ==
         ERROR_SUCCESS;
}
