#include "CallLog.h"

#include <windows.h>

#include <cwchar>
#include <string>

#include "UniqueHandle.h"

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

void LogCall(const char* method, const std::wstring& details) {
  wchar_t path[MAX_PATH];
  DWORD n = GetEnvironmentVariableW(L"VD_STANDIN_LOG", path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  UniqueFileHandle file(CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  std::string line = method;
  if (!details.empty()) line += " " + Utf8(details);
  line += "\n";
  DWORD written = 0;
  WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::wstring Quoted(const wchar_t* text) { return L"\"" + std::wstring(text ? text : L"") + L"\""; }

std::wstring Hex(const void* p) {
  wchar_t buf[32];
  swprintf(buf, 32, L"%p", p);
  return buf;
}
