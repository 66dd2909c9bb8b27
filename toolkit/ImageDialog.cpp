#include "ImageDialog.h"

#include "AppManager.h"
#include "Geometry.h"

namespace {

constexpr DWORD kDialogStyle = 0x92030000;  // popup, visible, clip children, min and max box

}  // namespace

CImageDialog::CImageDialog() { SetClassName(L"ImageDialog"); }

LRESULT CImageDialog::MessageHook(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) modalRunning = false;
  return CImageCtrl::MessageHook(message, wParam, lParam);
}

int CImageDialog::ShowModal() {
  if (GetHwnd() && IsWindow(GetHwnd())) return -1;
  paint.captionDrag = true;
  Box place;
  if (minTrackWidth != 0 && minTrackHeight != 0) {
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    place = DialogPlacement(work.right - work.left, work.bottom - work.top, minTrackWidth,
                            minTrackHeight);
  }
  roundCorners = true;
  if (!shadow) shadow = std::make_unique<CShadowCtrl>();
  if (!shadow->GetHwnd() || !IsWindow(shadow->GetHwnd())) {
    (void)shadow->CreatePopup(place.left, place.top);
  }
  // Owned by its shadow, the dialog keeps the shadow just below it.
  if (!Create(WS_EX_APPWINDOW, nullptr, nullptr, kDialogStyle, place.left, place.top,
              place.Width(), place.Height(), shadow->GetHwnd())) {
    return -1;
  }
  RunModalLoop();
  return result;
}

bool CImageDialog::RunModalLoop() {
  CAppManager* app = GetApp();
  if (!app || GetCurrentThreadId() != app->ThreadId() || modalRunning) return false;
  HWND dialog = GetHwnd();
  modalRunning = true;
  MSG msg;
  // A WM_QUIT taken here ends the loop and is not posted again.
  while (modalRunning && GetMessageW(&msg, nullptr, 0, 0) != 0) {
    if (app->PreTranslateOwn(&msg) == 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (!IsWindow(dialog)) break;
  }
  modalRunning = false;
  return true;
}
