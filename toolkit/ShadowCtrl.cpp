#include "ShadowCtrl.h"

#include "DrawingStyle.h"
#include "RoundRectPath.h"

CShadowCtrl::CShadowCtrl() { SetClassName(L"ShadowCtrl"); }

HWND CShadowCtrl::CreatePopup(int x, int y) {
  return Create(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, x, y, 0, 0, nullptr);
}

void CShadowCtrl::MakePens() {
  outerPen.reset(new Gdiplus::Pen(Gdiplus::Color(outerColor), 2.0f));
  middlePen.reset(new Gdiplus::Pen(Gdiplus::Color(middleColor), 2.0f));
  innerPen.reset(new Gdiplus::Pen(Gdiplus::Color(innerColor), 4.0f));
}

void CShadowCtrl::OnCreate(CREATESTRUCTW*) {
  HWND hwnd = GetHwnd();
  SetWindowLongPtrW(hwnd, GWL_STYLE, GetWindowLongPtrW(hwnd, GWL_STYLE) | WS_CLIPCHILDREN);
  LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  ex = (ex & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW)) | WS_EX_TOOLWINDOW;
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE, ex);
  MakePens();
  if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    updateLayeredWindow = reinterpret_cast<UpdateLayeredWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "UpdateLayeredWindow")));
  }
}

void CShadowCtrl::OnDestroy() {
  outerPen.reset();
  middlePen.reset();
  innerPen.reset();
}

void CShadowCtrl::OnShowWindow(WPARAM shown, LPARAM) {
  if (shown) Update(255);
}

void CShadowCtrl::SetColors(Gdiplus::ARGB outer, Gdiplus::ARGB middle, Gdiplus::ARGB inner) {
  outerColor = outer;
  middleColor = middle;
  innerColor = inner;
  MakePens();
}

void CShadowCtrl::Render(DibSurface& surface) {
  const RECT c = {0, 0, surface.Width(), surface.Height()};
  const int s = shadowSize;
  const int r = cornerRadius;
  Gdiplus::Graphics graphics(surface.Dc());
  graphics.SetSmoothingMode(kSmoothing);
  struct Outline {
    RECT rect;
    int radius;
    Gdiplus::Pen* pen;
  } outlines[] = {
      {{c.left + s - 5, c.top + s - 5, c.right + 4 - s, c.bottom + 4 - s}, r + 1, outerPen.get()},
      {{c.left + s - 3, c.top + s - 3, c.right + 2 - s, c.bottom + 2 - s}, r + 1, middlePen.get()},
      {{c.left + s, c.top + s, c.right - 1 - s, c.bottom - 1 - s}, r - 1, innerPen.get()},
  };
  for (const Outline& o : outlines) {
    if (!o.pen) continue;
    Gdiplus::GraphicsPath path;
    AddRoundRectPath(path, o.rect, o.radius, o.radius);
    graphics.DrawPath(o.pen, &path);
  }
}

void CShadowCtrl::Update(BYTE constantAlpha) {
  HWND hwnd = GetHwnd();
  if (!updateLayeredWindow || !hwnd) return;
  RECT client = {};
  GetClientRect(hwnd, &client);
  WindowDc windowDc(hwnd);
  DibSurface surface(windowDc.Get(), client.right, client.bottom);
  if (!surface.Valid()) return;
  Render(surface);
  RECT window = {};
  GetWindowRect(hwnd, &window);
  POINT destination = {window.left, window.top};
  SIZE size = {client.right, client.bottom};
  POINT source = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, constantAlpha, AC_SRC_ALPHA};
  WindowDc screen(nullptr);
  updateLayeredWindow(hwnd, screen.Get(), &destination, &size, surface.Dc(), &source, 0, &blend,
                      ULW_ALPHA);
}
