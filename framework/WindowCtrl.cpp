#include "WindowCtrl.h"

#include <windowsx.h>

#include <cwchar>

#include "AppManager.h"
#include "AppRegistry.h"
#include "SharedWindowProc.h"

CWindowCtrl::CWindowCtrl() { SetClassName(L"ImageWnd"); }

CWindowCtrl::~CWindowCtrl() {
  HWND hwnd = hwnd_;
  if (app_ && hwnd) app_->RemoveWindow(hwnd);
  // The window belongs to its thread's loop; it closes there, later.
  if (hwnd && IsWindow(hwnd)) PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

void CWindowCtrl::SetClassName(const wchar_t* className) {
  if (!className) return;
  std::wcsncpy(className_, className, kClassNameCapacity - 1);
  className_[kClassNameCapacity - 1] = L'\0';
}

HWND CWindowCtrl::Create(DWORD exStyle, const wchar_t* className, const wchar_t* title,
                         DWORD style, const RECT& rect, HWND parent) {
  return Create(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top, parent);
}

HWND CWindowCtrl::Create(DWORD exStyle, const wchar_t* className, const wchar_t* title,
                         DWORD style, int x, int y, int width, int height, HWND parent) {
  CAppManager* app = FindApp(GetCurrentThreadId());
  if (!app) return nullptr;
  if (hwnd_ && IsWindow(hwnd_)) return hwnd_;
  if (className && className[0]) SetClassName(className);
  if (!RegisterWindowClass(className_)) return hwnd_;
  app_ = app;
  HWND hwnd = CreateWindowExW(exStyle, className_, title, style, x, y, width, height, parent,
                              nullptr, AppInstance(), this);
  // A window destroyed during its own creation has already been unbound.
  if (hwnd && IsWindow(hwnd)) hwnd_ = hwnd;
  return hwnd;
}

INT_PTR CWindowCtrl::DoModal(const wchar_t* templateName, HWND parent) {
  CAppManager* app = FindApp(GetCurrentThreadId());
  if (app && !(hwnd_ && IsWindow(hwnd_)) && RegisterWindowClass(className_)) {
    app_ = app;
    dialogResult_ = DialogBoxParamW(GetModuleHandleW(nullptr), templateName, parent,
                                    reinterpret_cast<DLGPROC>(&SharedWindowProc), 0);
  }
  return dialogResult_;
}

void CWindowCtrl::OnSetCursor(HWND) { SetCursor(LoadCursorW(nullptr, IDC_ARROW)); }

void CWindowCtrl::Bind(HWND hwnd, CAppManager* app) {
  hwnd_ = hwnd;
  app_ = app;
}

LRESULT CWindowCtrl::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT r = MessageHook(message, wParam, lParam)) return r;
  switch (message) {
    case WM_CREATE: OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam)); break;
    case WM_DESTROY: OnDestroy(); break;
    case WM_MOVE: OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); break;
    case WM_SIZE: OnSize(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); break;
    case WM_SHOWWINDOW: OnShowWindow(wParam, lParam); break;
    case WM_SETCURSOR: OnSetCursor(reinterpret_cast<HWND>(wParam)); break;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); break;
    case WM_WINDOWPOSCHANGING: OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)); break;
    case WM_NCHITTEST: return OnNcHitTest(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    case WM_TIMER: OnTimer(wParam); return 1;
    default: break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void CWindowCtrl::ShowIfWindow(int showCommand) {
  if (IsWindow(hwnd_)) ShowWindow(hwnd_, showCommand);
}

void CWindowCtrl::MoveToRect(const RECT& rect) {
  if (IsWindow(hwnd_)) {
    MoveWindow(hwnd_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
  }
}

void CWindowCtrl::GetWindowRectIfWindow(RECT* rect) const {
  if (IsWindow(hwnd_)) GetWindowRect(hwnd_, rect);
}

bool IsClassRegistered(const wchar_t* className) { return IsClassNameListed(className); }

bool RegisterWindowClass(const wchar_t* className) {
  if (IsClassRegistered(className)) return true;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = &SharedWindowProc;
  wc.hInstance = AppInstance();
  wc.lpszClassName = className;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  ListClassName(className);
  return true;
}
