#include <windowsx.h>

#include "ImagePaint.h"
#include "LayoutRules.h"

namespace {

constexpr RECT kNoRect = {-1, -1, -1, -1};

bool Inside(const RECT& r, int x, int y) { return PtInRect(&r, POINT{x, y}) != FALSE; }

Box ToBox(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

void CImagePaint::StorePoint(LPARAM lParam) {
  mouseX = GET_X_LPARAM(lParam);
  mouseY = GET_Y_LPARAM(lParam);
}

bool CImagePaint::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (!backgroundBrush && (backgroundColor >> 24) != 0) {
        backgroundBrush.reset(new Gdiplus::SolidBrush(Gdiplus::Color(backgroundColor)));
      }
      return false;
    case WM_DESTROY:
      Clear();
      return false;
    case WM_SIZE:
      LayoutElements(RECT{0, 0, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return false;
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
      if (wParam && layered) {
        UpdateLayered();
      } else if (!wParam) {
        mouseX = -1;
        mouseY = -1;
      }
      return false;
    case WM_SETCURSOR: return OnSetCursor();
    case WM_MOUSEMOVE: StorePoint(lParam); return OnMouseMove();
    case WM_LBUTTONDOWN: StorePoint(lParam); return OnLeftDown();
    case WM_LBUTTONUP: StorePoint(lParam); return OnLeftUp();
    case WM_LBUTTONDBLCLK:
      if (GET_Y_LPARAM(lParam) <= kCaptionBandBottom && captionDrag) ToggleMaximize();
      return false;
    case WM_RBUTTONDOWN: StorePoint(lParam); return OnRightDown();
    case WM_RBUTTONUP: StorePoint(lParam); return OnRightUp();
    case WM_MOUSELEAVE: OnMouseLeave(); return false;
    default: return false;
  }
}

bool CImagePaint::OnSetCursor() {
  for (auto& b : buttons) {
    if (b->kind != 2 || !b->visible) continue;
    POINT cursor = {};
    GetCursorPos(&cursor);
    ScreenToClient(hwnd, &cursor);
    if (Inside(b->rect, cursor.x, cursor.y)) {
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return true;
    }
  }
  return false;
}

bool CImagePaint::OnMouseMove() {
  if (!tracking) {
    TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, hwnd, 10};
    tracking = TrackMouseEvent(&track) != FALSE;
  }
  if (hover && Inside(hover->rect, mouseX, mouseY) && tracking) {
    if (hover->kind == 1) {
      const bool part = hover->HitTestPart(mouseX, mouseY);
      if (part != hover->lastPartHit) Redraw(hover->rect);
      hover->lastPartHit = part;
    }
    return false;
  }
  if (leftPressed) return false;
  CImageButton* old = hover;
  CImageButton* found = nullptr;
  if (tracking) {
    for (auto& b : buttons) {
      if (IsHoverableId(b->id) && Inside(b->rect, mouseX, mouseY) && b->visible) {
        found = b.get();
        break;
      }
    }
  }
  if (old) Redraw(old->rect);
  hover = found;
  if (!found) return false;
  Redraw(found->rect);
  if (onButtonHover && !onButtonHover(found)) return true;
  return false;
}

bool CImagePaint::OnLeftDown() {
  bool pressedElement = false;
  if (hover && hover->visible && Inside(hover->rect, mouseX, mouseY)) {
    CImageButton* pressed = hover;
    leftPressed = true;
    pressRect = pressed->rect;
    (void)pressed->HitTestPart(mouseX, mouseY);
    Redraw(pressed->rect);
    if (onButtonDown && !onButtonDown(pressed)) return true;
    // The hook may have closed the window or removed the button.
    if (!hwnd || !Owns(pressed)) return true;
    if (!captured) {
      SetCapture(hwnd);
      captured = true;
      return false;
    }
    pressedElement = true;
  }
  if (CaptionDragStarts(ToBox(captionRect), mouseX, mouseY, pressedElement, captionDrag)) {
    PostMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(mouseX, mouseY));
  }
  if (!pressedElement) pressRect = kNoRect;
  return false;
}

bool CImagePaint::OnLeftUp() {
  if (captured) {
    ReleaseCapture();
    captured = false;
  }
  leftPressed = false;
  if (!hover) {
    pressRect = kNoRect;
    return false;
  }
  if (Inside(pressRect, mouseX, mouseY)) {
    if (!OnClick(hover)) return true;
    // The click may have removed the button or ended the window.
    if (!hover || !hwnd) return true;
  } else if (!Inside(hover->rect, mouseX, mouseY)) {
    RECT left = hover->rect;
    mouseX = -1;
    mouseY = -1;
    hover = nullptr;
    Redraw(left);
    pressRect = kNoRect;
    return false;
  }
  Redraw(hover->rect);
  pressRect = kNoRect;
  return false;
}

bool CImagePaint::OnClick(CImageButton* button) {
  if (onButtonClick && !onButtonClick(button)) return false;
  if (!button) return true;
  // The hook may have closed the window or removed the button.
  if (!hwnd || !Owns(button)) return false;
  if (button->disabled || !button->visible) return true;
  switch (button->id) {
    case kCloseId:
      DestroyWindow(hwnd);
      return false;
    case kMinimizeId:
      ShowWindow(hwnd, SW_MINIMIZE);
      break;
    case kMaximizeId:
    case kRestoreId:
      ToggleMaximize();
      break;
    default:
      break;
  }
  return true;
}

bool CImagePaint::OnRightDown() {
  if (hover && Inside(hover->rect, mouseX, mouseY)) {
    CImageButton* pressed = hover;
    rightPressed = true;
    rightPressRect = pressed->rect;
    if (onButtonRightDown && !onButtonRightDown(pressed)) return true;
    if (!hwnd) return true;
    if (!captured) {
      SetCapture(hwnd);
      captured = true;
    }
    return false;
  }
  rightPressRect = kNoRect;
  return false;
}

bool CImagePaint::OnRightUp() {
  if (captured) {
    ReleaseCapture();
    captured = false;
  }
  rightPressed = false;
  if (hover) {
    if (Inside(rightPressRect, mouseX, mouseY)) {
      if (onButtonRightClick && !onButtonRightClick(hover)) return false;
    } else if (!Inside(hover->rect, mouseX, mouseY)) {
      mouseX = -1;
      mouseY = -1;
      hover = nullptr;
    }
  }
  rightPressed = false;
  rightPressRect = kNoRect;
  return false;
}

void CImagePaint::OnMouseLeave() {
  tracking = false;
  mouseX = -1;
  mouseY = -1;
  if (leftPressed) return;
  if (hover) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    ScreenToClient(hwnd, &cursor);
    if (IsZoomed(hwnd) && Inside(hover->rect, cursor.x, cursor.y)) {
      mouseX = cursor.x;
      mouseY = cursor.y;
    }
    Redraw(hover->rect);
  }
  hover = nullptr;
}
