#include "CloseMsgWnd.h"

#include "FrameGeometry.h"
#include "client_resources.h"

CloseMsgWnd::CloseMsgWnd() { SetClassName(L"korvanbrasko"); }

int CloseMsgWnd::AskClose(HWND owner) {
  if (GetHwnd() && IsWindow(GetHwnd())) {
    SetActiveWindow(GetHwnd());
    SetForegroundWindow(GetHwnd());
    return kAlreadyAsking;
  }
  result = kResultCancel;
  if (GetSystemMetrics(SM_CXSCREEN) > kWidth - 1 && GetSystemMetrics(SM_CYSCREEN) >= kHeight) {
    minTrackWidth = kWidth;
    minTrackHeight = kHeight;
  }
  RECT r = {};
  if (owner) GetWindowRect(owner, &r);
  const int x = (r.right - minTrackWidth - r.left) / 2 + r.left;
  const int y = (r.bottom - minTrackHeight - r.top) / 2 + r.top;
  constexpr DWORD kStyle = 0x92030000;  // popup, visible, clip children, min and max box
  if (!Create(0, nullptr, L"", kStyle, x, y, minTrackWidth, minTrackHeight, owner)) {
    return kResultCancel;
  }
  static_cast<void>(RunModalLoop());
  return result;
}

void CloseMsgWnd::OnCreate(CREATESTRUCTW*) {
  paint.EnableLayered();
  paint.captionDrag = true;
  paint.captionRect = {0, 0, kWidth, kHeight};
  HWND hwnd = GetHwnd();
  ShowWindow(hwnd, SW_HIDE);
  // Always the middle of the screen, wherever the owner stands.
  const FramePoint centre = CentreInArea(GetSystemMetrics(SM_CXSCREEN),
                                         GetSystemMetrics(SM_CYSCREEN), {kWidth, kHeight});
  MoveWindow(hwnd, centre.x, centre.y, kWidth, kHeight, TRUE);
  paint.AddButton(kYesId, IDP_CONFIRM_YES, IDP_CONFIRM_YES_HOVER, IDP_CONFIRM_YES_HOVER,
                  IDP_CONFIRM_YES, {50, 100, 118, 135});
  paint.AddButton(kNoId, IDP_CONFIRM_NO, IDP_CONFIRM_NO_HOVER, IDP_CONFIRM_NO_HOVER,
                  IDP_CONFIRM_NO, {178, 100, 246, 135});
  paint.AddStatic(IDP_CONFIRM_BACK, 1011, false, {0, 0, kWidth, kHeight});
  paint.UpdateLayered();
}

bool CloseMsgWnd::OnButtonClick(CImageButton* button) {
  if (button->id != kYesId && button->id != kNoId) return true;
  result = button->id == kYesId ? kResultOk : kResultCancel;
  modalRunning = false;
  DestroyWindow(GetHwnd());
  return false;
}
