#pragma once
#include <optional>
#include <string>
#include <vector>

namespace installertest {

// Reads of a profile file as the programs make them; a missing key is nothing.
[[nodiscard]] std::optional<std::wstring> ReadIniValue(const std::wstring& file,
                                                       const std::wstring& section,
                                                       const std::wstring& key);
[[nodiscard]] std::vector<std::wstring> ReadIniSections(const std::wstring& file);
[[nodiscard]] std::vector<std::wstring> ReadIniKeys(const std::wstring& file,
                                                    const std::wstring& section);
[[nodiscard]] bool WriteIniValue(const std::wstring& file, const std::wstring& section,
                                 const std::wstring& key, const std::wstring& value);

}  // namespace installertest
