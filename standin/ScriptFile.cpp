#include "ScriptFile.h"

#include <windows.h>

#include <string>

#include "CallLog.h"
#include "UniqueHandle.h"

namespace {

constexpr DWORD kMaxScriptBytes = 4 * 1024 * 1024;

}  // namespace

Script LoadScriptFromEnvironment() {
  wchar_t path[MAX_PATH];
  DWORD n = GetEnvironmentVariableW(L"VD_STANDIN_SCRIPT", path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return Script();
  UniqueFileHandle file(
      CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size = {};
  if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxScriptBytes) {
    LogCall("script", L"cannot read " + Quoted(path));
    return Script();
  }
  std::string text(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!text.empty() && !ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) read = 0;
  text.resize(read);
  ParsedScript parsed = ParseScript(text);
  for (const ScriptProblem& p : parsed.problems)
    LogCall("script", L"line " + std::to_wstring(p.line) + L" skipped: " + Utf8ToWide(p.message));
  LogCall("script", Quoted(path) + L" pages=" + std::to_wstring(parsed.script.pages.size()));
  return std::move(parsed.script);
}
