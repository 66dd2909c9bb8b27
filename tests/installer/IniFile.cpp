#include "IniFile.h"

#include <windows.h>

namespace installertest {
namespace {

// Splits the double-null-terminated lists of the profile functions.
std::vector<std::wstring> SplitList(const wchar_t* list) {
  std::vector<std::wstring> items;
  for (const wchar_t* p = list; *p; p += items.back().size() + 1) items.emplace_back(p);
  return items;
}

}  // namespace

std::optional<std::wstring> ReadIniValue(const std::wstring& file, const std::wstring& section,
                                         const std::wstring& key) {
  const wchar_t missing[] = L"\x01";
  wchar_t value[512] = {};
  GetPrivateProfileStringW(section.c_str(), key.c_str(), missing, value, 512, file.c_str());
  if (std::wstring(value) == missing) return std::nullopt;
  return std::wstring(value);
}

std::vector<std::wstring> ReadIniSections(const std::wstring& file) {
  wchar_t list[4096] = {};
  GetPrivateProfileSectionNamesW(list, 4096, file.c_str());
  return SplitList(list);
}

std::vector<std::wstring> ReadIniKeys(const std::wstring& file, const std::wstring& section) {
  wchar_t list[4096] = {};
  GetPrivateProfileStringW(section.c_str(), nullptr, L"", list, 4096, file.c_str());
  return SplitList(list);
}

bool WriteIniValue(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) {
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
         FALSE;
}

}  // namespace installertest
