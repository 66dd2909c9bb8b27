#include "RegistryValues.h"

#include <vector>

namespace installertest {

std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& key,
                                               const std::wstring& name, DWORD flags) {
  DWORD bytes = 0;
  if (RegGetValueW(root, key.c_str(), name.c_str(), flags, nullptr, nullptr, &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  if (RegGetValueW(root, key.c_str(), name.c_str(), flags, nullptr, buffer.data(), &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(buffer.data());
}

std::optional<DWORD> ReadRegistryDword(HKEY root, const std::wstring& key,
                                       const std::wstring& name) {
  DWORD value = 0;
  DWORD bytes = sizeof(value);
  if (RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

bool RegistryKeyExists(HKEY root, const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

}  // namespace installertest
