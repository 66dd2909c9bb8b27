#include "ScopedUserRegistry.h"

#include "RegistryValues.h"

namespace installertest {
namespace {

bool Write(const std::wstring& key, const std::wstring& name, DWORD type, const std::wstring& value) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &opened, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  const LONG result = RegSetValueExW(opened, name.c_str(), 0, type,
                                     reinterpret_cast<const BYTE*>(value.c_str()), bytes);
  RegCloseKey(opened);
  return result == ERROR_SUCCESS;
}

}  // namespace

bool ScopedUserRegistry::Set(const std::wstring& key, const std::wstring& name, DWORD type,
                             const std::wstring& value) {
  saved_.push_back({key, name, type,
                    ReadRegistryString(HKEY_CURRENT_USER, key, name,
                                       RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND)});
  return Write(key, name, type, value);
}

ScopedUserRegistry::~ScopedUserRegistry() {
  for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
    if (it->value) {
      Write(it->key, it->name, it->type, *it->value);
    } else {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, it->key.c_str(), it->name.c_str());
    }
  }
}

}  // namespace installertest
