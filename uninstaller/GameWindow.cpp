#include "GameWindow.h"

#include <cwchar>

#include "UninstallNames.h"

namespace {

constexpr int kTextCapacity = 256;

struct WindowSearch {
  DWORD processId = 0;  // 0: any process
  wchar_t title[kTextCapacity] = {};
  wchar_t className[kTextCapacity] = {};
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  wchar_t text[kTextCapacity] = {};
  wchar_t className[kTextCapacity] = {};
  GetWindowTextW(hwnd, text, kTextCapacity);
  GetClassNameW(hwnd, className, kTextCapacity);
  if (search->title[0] && std::wcscmp(text, search->title) != 0) return TRUE;
  if (search->className[0] && std::wcscmp(className, search->className) != 0) return TRUE;
  if (search->processId) {
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId != search->processId) return TRUE;
  }
  search->found = hwnd;
  return FALSE;
}

}  // namespace

HWND FindGameWindow(const wchar_t* title) {
  WindowSearch search;
  if (title) std::swprintf(search.title, kTextCapacity, L"%ls", title);
  std::swprintf(search.className, kTextCapacity, L"%ls", uninstall::kClientWindowClass);
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool ConfirmCloseGame() {
  using uninstall::kGameTitle;
  if (!FindGameWindow(kGameTitle)) return true;
  wchar_t question[256];
  std::swprintf(question, 256, L"<%ls>\x6B63\x5728\x8FD0\x884C,\x662F\x5426\x5173\x95ED<%ls>\xFF1F", kGameTitle,
                kGameTitle);
  return MessageBoxW(nullptr, question, kGameTitle, MB_YESNO | MB_ICONINFORMATION) != IDNO;
}
