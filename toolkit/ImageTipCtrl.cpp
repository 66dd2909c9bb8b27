#include "ImageTipCtrl.h"

#include <cwchar>

#include "DrawingStyle.h"
#include "SanDC.h"

namespace {

void SetupTipFormat(Gdiplus::StringFormat& format) {
  format.SetAlignment(Gdiplus::StringAlignmentNear);
  format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  format.SetTrimming(Gdiplus::StringTrimmingEllipsisWord);
}

}  // namespace

CImageTipCtrl::CImageTipCtrl() { SetClassName(L"ImageTip"); }

LRESULT CImageTipCtrl::MessageHook(UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_CREATE:
      font = MakeFaceFont(L"Tahoma", 9.0f);
      backgroundBrush.reset(new Gdiplus::SolidBrush(Gdiplus::Color(0xFFFCFCFC)));
      borderPen.reset(new Gdiplus::Pen(Gdiplus::Color(0xFF8A8A8A), 1.0f));
      textBrush.reset(new Gdiplus::SolidBrush(Gdiplus::Color(0xFF000000)));
      break;
    case WM_DESTROY:
      font.reset();
      backgroundBrush.reset();
      textBrush.reset();
      borderPen.reset();
      break;
    case WM_PAINT:
      Paint();
      break;
    default:
      break;
  }
  return 0;
}

void CImageTipCtrl::SetText(const wchar_t* newText) {
  if (!newText) newText = L"";
  HWND hwnd = GetHwnd();
  if (std::wcscmp(newText, text) == 0 && hwnd && IsWindowVisible(hwnd)) return;
  std::wcsncpy(text, newText, kTextCapacity - 1);
  text[kTextCapacity - 1] = L'\0';
  if (!hwnd) return;
  ShowWindow(hwnd, SW_HIDE);
  KillTimer(hwnd, kShowTimer);
  if (text[0] != L'\0') SetTimer(hwnd, kShowTimer, kShowDelayMs, nullptr);
}

SIZE CImageTipCtrl::MeasureTip() {
  SIZE size = {5, 4};
  if (!font) return size;
  WindowDc dc(GetHwnd());
  Gdiplus::Graphics graphics(dc.Get());
  Gdiplus::StringFormat format;
  SetupTipFormat(format);
  Gdiplus::RectF box;
  if (graphics.MeasureString(text, -1, font.get(), Gdiplus::RectF(0, 0, 500, 200), &format,
                             &box) == Gdiplus::Ok) {
    size.cx += static_cast<LONG>(box.Width);
    size.cy += static_cast<LONG>(box.Height);
  }
  return size;
}

void CImageTipCtrl::OnTimer(UINT_PTR id) {
  if (id != kShowTimer) return;
  HWND hwnd = GetHwnd();
  KillTimer(hwnd, kShowTimer);
  POINT at = {};
  GetCursorPos(&at);
  if (text[0] == L'\0') return;
  const SIZE size = MeasureTip();
  MoveWindow(hwnd, at.x + kPointerOffset, at.y + kPointerOffset, size.cx, size.cy, TRUE);
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
}

void CImageTipCtrl::RenderTo(HDC dc, const RECT& c) {
  Gdiplus::Graphics graphics(dc);
  graphics.SetSmoothingMode(kSmoothing);
  const INT width = c.right - c.left;
  const INT height = c.bottom - c.top;
  if (backgroundBrush) {
    graphics.FillRectangle(backgroundBrush.get(), static_cast<INT>(c.left - 1),
                           static_cast<INT>(c.top - 1), width + 1, height + 1);
  }
  Gdiplus::StringFormat format;
  SetupTipFormat(format);
  if (font && textBrush) {
    const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(c.left + 2),
                                static_cast<Gdiplus::REAL>(c.top + 2),
                                static_cast<Gdiplus::REAL>(width - 4),
                                static_cast<Gdiplus::REAL>(height - 4));
    graphics.DrawString(text, -1, font.get(), layout, &format, textBrush.get());
  }
  if (borderPen) {
    graphics.DrawRectangle(borderPen.get(), static_cast<INT>(c.left), static_cast<INT>(c.top),
                           width - 1, height - 1);
  }
}

void CImageTipCtrl::Paint() {
  HWND hwnd = GetHwnd();
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client = {};
  GetClientRect(hwnd, &client);
  if (dc) {
    CSanDC offscreen(dc, client, nullptr);
    RenderTo(offscreen.MemDC(), client);
  }
  EndPaint(hwnd, &ps);
}
