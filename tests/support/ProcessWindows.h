#pragma once
#include <windows.h>

#include <cwchar>

namespace testsupport {

// The first top-level window of the given class that belongs to the process
// (and is visible, when asked); null when there is none.
inline HWND FindProcessWindow(DWORD processId, const wchar_t* className, bool visibleOnly = false) {
  struct Search {
    DWORD processId;
    const wchar_t* className;
    bool visibleOnly;
    HWND found;
  } search{processId, className, visibleOnly, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        wchar_t name[64] = {};
        GetClassNameW(hwnd, name, 64);
        if (owner != s->processId || std::wcscmp(name, s->className) != 0) return TRUE;
        if (s->visibleOnly && !IsWindowVisible(hwnd)) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace testsupport
