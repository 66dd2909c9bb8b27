#include "ImageMenu.h"

#include "Geometry.h"

namespace {

bool HasWindow(const CWindowCtrl* w) { return w && w->GetHwnd() && IsWindow(w->GetHwnd()); }

}  // namespace

CImageMenu::CImageMenu() { SetClassName(L"ImageMenu"); }

CImageMenu::~CImageMenu() {
  if (HasWindow(shadow.get())) DestroyWindow(shadow->GetHwnd());
}

bool CImageMenu::CursorOverAnchor() const {
  if (!HasWindow(anchorWindow) || !IsWindowVisible(anchorWindow->GetHwnd())) return false;
  POINT cursor = {};
  GetCursorPos(&cursor);
  RECT r = {};
  GetWindowRect(anchorWindow->GetHwnd(), &r);
  return PtInRect(&r, cursor) != FALSE;
}

LRESULT CImageMenu::MessageHook(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool deactivated = (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) ||
                           (message == WM_NCACTIVATE && wParam == 0);
  if (deactivated && autoHide && IsWindowVisible(GetHwnd())) {
    if (CursorOverAnchor()) return 1;
    ShowWindow(GetHwnd(), SW_HIDE);
  }
  return CImageCtrlEx::MessageHook(message, wParam, lParam);
}

void CImageMenu::OnCreate(CREATESTRUCTW*) {
  HWND hwnd = GetHwnd();
  SetWindowLongPtrW(hwnd, GWL_STYLE, GetWindowLongPtrW(hwnd, GWL_STYLE) | WS_CLIPCHILDREN);
  LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE,
                    (ex & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW)) | WS_EX_TOOLWINDOW);
  HWND topmost = HasWindow(shadow.get()) ? shadow->GetHwnd() : hwnd;
  SetWindowPos(topmost, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  paint.SetBackgroundColor(0xFFEDF3FA);
  keepRelated = false;
}

void CImageMenu::OnDestroy() {
  if (HasWindow(shadow.get())) {
    ShowWindow(shadow->GetHwnd(), SW_HIDE);
    PostMessageW(shadow->GetHwnd(), WM_CLOSE, 0, 0);
  }
}

void CImageMenu::OnMove(int, int) {
  if (!HasWindow(shadow.get())) return;
  RECT window = {};
  GetWindowRect(GetHwnd(), &window);
  const Box grown =
      GrowUnlessEmpty({window.left, window.top, window.right, window.bottom}, shadow->shadowSize);
  SetWindowPos(shadow->GetHwnd(), nullptr, grown.left, grown.top, grown.Width(), grown.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  shadow->Update(255);
}

void CImageMenu::OnShowWindow(WPARAM shown, LPARAM) {
  if (shown) {
    SetForegroundWindow(GetHwnd());
  } else if (!keepRelated) {
    for (CWindowCtrl* w : {relatedWindow, anchorWindow}) {
      if (HasWindow(w)) ShowWindow(w->GetHwnd(), SW_HIDE);
    }
  }
  if (HasWindow(shadow.get())) ShowWindow(shadow->GetHwnd(), shown ? SW_SHOW : SW_HIDE);
}

void CImageMenu::Popup(int x, int y) {
  const int height = paint.VisibleHeight();
  if (!GetHwnd() || !IsWindow(GetHwnd())) {
    if (!shadow) {
      shadow = std::make_unique<CShadowCtrl>();
      shadow->SetColors(0x0F9E9E9E, 0x329E9E9E, 0x649E9E9E);
    }
    if (!HasWindow(shadow.get())) (void)shadow->CreatePopup(x, y);
    if (!Create(0, nullptr, nullptr, WS_POPUP, x, y, kWidth, height, shadow->GetHwnd())) return;
  }
  MoveWindow(GetHwnd(), x, y, kWidth, height, TRUE);
  ShowWindow(GetHwnd(), SW_SHOW);
  SetForegroundWindow(GetHwnd());
}
