#pragma once
#include <string>

// One line per call the stand-in receives, appended to the file named by
// VD_STANDIN_LOG (UTF-8); nothing when the variable is unset. Each line is
// written and closed at once, so it survives a crash of the host.
void LogCall(const char* method, const std::wstring& details = std::wstring());

// Short forms for the log: text in quotes, pointers as hex.
[[nodiscard]] std::wstring Quoted(const wchar_t* text);
[[nodiscard]] std::wstring Hex(const void* p);
