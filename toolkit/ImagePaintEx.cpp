#include "ImagePaintEx.h"

#include <windowsx.h>

#include <algorithm>

#include "DrawingStyle.h"
#include "ListRules.h"
#include "SanDC.h"

namespace {

void MakeBrushIfVisible(SolidBrushPtr& brush, Gdiplus::ARGB color) {
  if (!brush && (color >> 24) != 0) brush.reset(new Gdiplus::SolidBrush(Gdiplus::Color(color)));
}

}  // namespace

CImagePaintEx::~CImagePaintEx() { Clear(); }

CImageItem* CImagePaintEx::AddItem(int id) {
  for (auto& item : items) {
    if (item->id == id) return item.get();
  }
  items.push_back(std::make_unique<CImageItem>(this, id, itemHeight));
  CImageItem* added = items.back().get();
  LayoutItems(nullptr);
  return added;
}

void CImagePaintEx::RemoveAllItems() {
  items.clear();
  LayoutItems(nullptr);
  hover = nullptr;
  selected = nullptr;
}

RECT CImagePaintEx::GetItemRect(int id) const {
  RECT client = {};
  if (hwnd) GetClientRect(hwnd, &client);
  int y = 0;
  for (const auto& item : items) {
    if (item->id == id) return {0, y, client.right, y + item->height};
    if (item->visible) y += item->height;
  }
  return {0, 0, client.right, 0};
}

int CImagePaintEx::VisibleHeight() const {
  int height = 0;
  for (const auto& item : items) height += item->visible ? item->height : 0;
  return height;
}

bool CImagePaintEx::IsRowOnScreen(int top, int height) const {
  HWND parent = hwnd ? GetParent(hwnd) : nullptr;
  if (!parent) return true;
  POINT p = {0, top};
  MapWindowPoints(hwnd, parent, &p, 1);
  RECT parentClient = {};
  GetClientRect(parent, &parentClient);
  return RowOnScreen(p.y, height, parentClient.bottom);
}

void CImagePaintEx::LayoutItems(const RECT* given) {
  RECT area = {};
  if (given) {
    area = *given;
  } else if (hwnd) {
    GetClientRect(hwnd, &area);
  }
  int y = 0;
  for (auto& item : items) {
    if (!item->visible) continue;
    const RECT r = {0, y, area.right, y + item->height};
    if (!EqualRect(&r, &item->rect)) {
      item->rect = r;
      item->SetBounds(r.left, r.top, r.right, r.bottom);
    }
    y += item->height;
  }
}

void CImagePaintEx::SetBackgroundColor(Gdiplus::ARGB color) {
  backgroundColor = color;
  backgroundBrush.reset(new Gdiplus::SolidBrush(Gdiplus::Color(color)));
  fillBackground = true;
}

void CImagePaintEx::SetHoverColor(Gdiplus::ARGB color) {
  hoverColor = color;
  hoverBrush.reset(new Gdiplus::SolidBrush(Gdiplus::Color(color)));
}

void CImagePaintEx::Clear() {
  RemoveAllItems();
  backgroundBrush.reset();
  hoverBrush.reset();
  selectedBrush.reset();
  mouseX = -1;
  mouseY = 0;
  hover = nullptr;
  selected = nullptr;
  tracking = false;
  hwnd = nullptr;
  layered = false;
}

void CImagePaintEx::RenderTo(HDC dc, const RECT& client) {
  SetBkMode(dc, TRANSPARENT);
  Gdiplus::Graphics graphics(dc);
  graphics.SetSmoothingMode(kSmoothing);
  if (fillBackground && backgroundBrush) {
    graphics.FillRectangle(backgroundBrush.get(), static_cast<INT>(client.left - 1),
                           static_cast<INT>(client.top - 1),
                           static_cast<INT>(client.right - client.left + 1),
                           static_cast<INT>(client.bottom - client.top + 1));
  }
  int y = 0;
  for (auto& item : items) {
    if (!item->visible) continue;
    if (IsRowOnScreen(y, item->height)) item->Draw(graphics, 0, y, client.right, y + item->height);
    y += item->height;
  }
}

void CImagePaintEx::Paint() {
  if (!hwnd) return;
  RECT dirty = {};
  if (!GetUpdateRect(hwnd, &dirty, FALSE)) return;
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

void CImagePaintEx::UpdateLayered() {
  if (!hwnd) return;
  if (!updateLayeredWindow) {
    if (onLayeredFallback) onLayeredFallback();
    return;
  }
  RECT client = {};
  GetClientRect(hwnd, &client);
  WindowDc windowDc(hwnd);
  DibSurface frame(windowDc.Get(), client.right, client.bottom);
  if (!frame.Valid()) return;
  RenderTo(frame.Dc(), client);
  RECT window = {};
  GetWindowRect(hwnd, &window);
  POINT destination = {window.left, window.top};
  SIZE size = {client.right, client.bottom};
  POINT source = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  WindowDc screen(nullptr);
  updateLayeredWindow(hwnd, screen.Get(), &destination, &size, frame.Dc(), &source, 0, &blend,
                      ULW_ALPHA);
}

void CImagePaintEx::Redraw(const RECT& rect) {
  if (layered) {
    UpdateLayered();
  } else if (hwnd) {
    InvalidateRect(hwnd, &rect, TRUE);
  }
}

CImageItem* CImagePaintEx::RowAt(int x, int y) const {
  RECT client = {};
  if (hwnd) GetClientRect(hwnd, &client);
  int top = 0;
  for (const auto& item : items) {
    if (!item->visible) continue;
    const RECT r = {0, top, client.right, top + item->height};
    if (IsRowOnScreen(top, item->height) && PtInRect(&r, POINT{x, y})) return item.get();
    top += item->height;
  }
  return nullptr;
}

bool CImagePaintEx::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      MakeBrushIfVisible(backgroundBrush, backgroundColor);
      MakeBrushIfVisible(hoverBrush, hoverColor);
      MakeBrushIfVisible(selectedBrush, selectedColor);
      return false;
    case WM_DESTROY:
      Clear();
      return false;
    case WM_SIZE: {
      RECT r = {0, 0, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (onResize) onResize(&r);
      LayoutItems(&r);
      return false;
    }
    case WM_PAINT:
      Paint();
      return false;
    case WM_ERASEBKGND: {
      RECT client = {};
      if (hwnd) GetClientRect(hwnd, &client);
      if (!EqualRect(&client, &eraseRect)) {
        Paint();
        eraseRect = client;
      }
      return true;
    }
    case WM_SHOWWINDOW:
      if (!wParam) {
        mouseX = -1;
        mouseY = 0;
        for (auto& item : items) {
          item->hovered = false;
          item->selected = false;
          item->hoverPart = nullptr;
        }
      }
      return false;
    case WM_MOUSEMOVE:
      mouseX = GET_X_LPARAM(lParam);
      mouseY = GET_Y_LPARAM(lParam);
      OnMouseMove();
      return false;
    case WM_LBUTTONUP:
      mouseX = GET_X_LPARAM(lParam);
      mouseY = GET_Y_LPARAM(lParam);
      OnLeftUp();
      return false;
    case WM_MOUSELEAVE:
      OnMouseLeave();
      return false;
    default:
      return false;
  }
}

void CImagePaintEx::OnMouseMove() {
  if (!tracking) {
    TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, hwnd, 10};
    TrackMouseEvent(&track);
    tracking = true;
  }
  if (hover) {
    const RECT r = GetItemRect(hover->id);
    if (IsRowOnScreen(r.top, r.bottom - r.top)) {
      if (!PtInRect(&r, POINT{mouseX, mouseY})) {
        Redraw(r);
        hover->hovered = false;
        hover->hoverPart = nullptr;
        hover->ResetHover();
        hover = nullptr;
      } else if (hover->TrackMouse(mouseX, mouseY)) {
        Redraw(r);
      }
      return;
    }
  }
  CImageItem* row = RowAt(mouseX, mouseY);
  if (!row || row == hover) return;
  hover = row;
  row->hovered = true;
  (void)row->TrackMouse(mouseX, mouseY);
  Redraw(GetItemRect(row->id));
  row->OnHoverEnter();
}

void CImagePaintEx::OnLeftUp() {
  if (hwnd) SetFocus(hwnd);
  CImageItem* row = RowAt(mouseX, mouseY);
  if (!row) return;
  const DWORD now = GetTickCount();
  (void)row->TrackMouse(mouseX, mouseY);
  const bool wasSelected = row == selected;
  row->SetSelected(true);
  if (!wasSelected) {
    selected = row;
    if (onItemClick) onItemClick(row);
    RECT client = {};
    if (hwnd) GetClientRect(hwnd, &client);
    Redraw(client);
  } else if (now - lastClickTime > kDoubleClickMs || !onItemDoubleClick) {
    if (onItemClick) onItemClick(row);
  } else {
    onItemDoubleClick(row);
  }
  // Clicks are timed only for a bound double-click hook, so a quick second
  // click on a menu row stays an ordinary click.
  if (onItemDoubleClick) lastClickTime = now;
}

void CImagePaintEx::OnMouseLeave() {
  mouseX = -1;
  mouseY = 0;
  tracking = false;
  if (!hover) return;
  (void)hover->TrackMouse(0, 0);
  hover->hovered = false;
  hover->hoverPart = nullptr;
  const RECT r = GetItemRect(hover->id);
  if (IsRowOnScreen(r.top, r.bottom - r.top)) Redraw(r);
  hover = nullptr;
}
