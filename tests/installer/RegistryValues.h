#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace installertest {

// A string value (flags as for RegGetValueW; REG_SZ by default), or nothing when missing.
[[nodiscard]] std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& key,
                                                             const std::wstring& name,
                                                             DWORD flags = RRF_RT_REG_SZ);
[[nodiscard]] std::optional<DWORD> ReadRegistryDword(HKEY root, const std::wstring& key,
                                                     const std::wstring& name);
[[nodiscard]] bool RegistryKeyExists(HKEY root, const std::wstring& key);

}  // namespace installertest
