#include "ProfileFile.h"

#include <windows.h>

#include "ProfileValues.h"

namespace {
constexpr DWORD kValueCapacity = 64;
}

std::wstring CProfileFile::ReadText(const wchar_t* section, const wchar_t* key) const {
  wchar_t value[kValueCapacity] = {};
  DWORD n = GetPrivateProfileStringW(section, key, L"", value, kValueCapacity, path_.c_str());
  return std::wstring(value, n < kValueCapacity ? n : kValueCapacity - 1);
}

int CProfileFile::ReadInt(const wchar_t* section, const wchar_t* key) const {
  return ParseProfileInt(ReadText(section, key));
}

void CProfileFile::WriteText(const wchar_t* section, const wchar_t* key,
                             const std::wstring& value) const {
  WritePrivateProfileStringW(section, key, value.c_str(), path_.c_str());
}
