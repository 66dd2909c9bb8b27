#include "ImageCtrlEx.h"

CImageCtrlEx::CImageCtrlEx() { SetClassName(L"ImageList"); }

LRESULT CImageCtrlEx::MessageHook(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) paint.hwnd = GetHwnd();
  return paint.HandleMessage(message, wParam, lParam) ? 1 : 0;
}
