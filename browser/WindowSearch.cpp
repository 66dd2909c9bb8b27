#include "WindowSearch.h"

#include <cwchar>

BOOL CALLBACK MatchWindowSearch(HWND hwnd, LPARAM search) {
  auto* record = reinterpret_cast<WindowSearch*>(search);
  wchar_t title[256] = {};
  wchar_t className[256] = {};
  GetWindowTextW(hwnd, title, 256);
  GetClassNameW(hwnd, className, 256);
  if (record->title[0] && std::wcscmp(record->title, title) != 0) return TRUE;
  if (record->className[0] && std::wcscmp(record->className, className) != 0) return TRUE;
  if (record->processId != 0) {
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId != record->processId) return TRUE;
  }
  record->found = hwnd;
  return FALSE;
}

HWND FindFlashWindow(HWND window) {
  WindowSearch search;
  std::wcscpy(search.className, kFlashWindowClass);
  EnumChildWindows(window, &MatchWindowSearch, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool IsFlashWindow(HWND window) {
  wchar_t className[64] = {};
  if (!window || GetClassNameW(window, className, 64) == 0) return false;
  return std::wcscmp(className, kFlashWindowClass) == 0;
}
