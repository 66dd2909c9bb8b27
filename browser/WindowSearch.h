#pragma once
#include <windows.h>

// A window wanted by title, class and process; an empty text or a zero
// process id matches any. Comparisons are exact and case-sensitive.
struct WindowSearch {
  DWORD processId = 0;
  HWND found = nullptr;
  wchar_t title[256] = {};
  wchar_t className[256] = {};
};

// EnumWindows/EnumChildWindows callback; lParam is a WindowSearch*.
// Stops at the first match and stores it in the record.
BOOL CALLBACK MatchWindowSearch(HWND hwnd, LPARAM search);

// The game's plug-in window class.
inline constexpr wchar_t kFlashWindowClass[] = L"MacromediaFlashPlayerActiveX";

// The first descendant of window whose class is the plug-in's, or null.
[[nodiscard]] HWND FindFlashWindow(HWND window);
[[nodiscard]] bool IsFlashWindow(HWND window);
