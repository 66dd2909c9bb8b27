#include "ImageItem.h"

#include <algorithm>

#include "ImagePaintEx.h"
#include "ListRules.h"

namespace {

Box ToBox(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const Box& b) { return {b.left, b.top, b.right, b.bottom}; }

}  // namespace

CImageItem::CImageItem(CImagePaintEx* list, int itemId, int itemHeight)
    : owner(list), id(itemId), height(itemHeight) {}

CImageItem::~CImageItem() {
  for (ChildWindow& child : childWindows) {
    if (child.window && child.window->GetHwnd()) DestroyWindow(child.window->GetHwnd());
  }
}

CImageButton* CImageItem::AddButton(int buttonId, const RECT& r, const wchar_t* caption,
                                    int normalId, int hoverId, int pressedId, int fourthId) {
  for (auto& b : buttons) {
    if (b->id == buttonId) return b.get();
  }
  buttons.push_back(
      std::make_unique<CImageButton>(owner ? owner->hwnd : nullptr, buttonId, r, caption));
  buttons.back()->SetImages(normalId, hoverId, pressedId, fourthId);
  return buttons.back().get();
}

void CImageItem::SetSelected(bool on) {
  if (on && owner && owner->selected && owner->selected != this) {
    owner->selected->selected = false;
  }
  selected = on;
}

void CImageItem::Draw(Gdiplus::Graphics& graphics, int left, int top, int right, int bottom) {
  const Box row = {left, top, right, bottom};
  Gdiplus::Brush* fill = nullptr;
  if (owner && selected) {
    fill = owner->selectedBrush ? owner->selectedBrush.get() : owner->hoverBrush.get();
  } else if (owner && hovered) {
    fill = owner->hoverBrush.get();
  }
  if (fill) graphics.FillRectangle(fill, left, top, right - left, bottom - top);
  for (auto& b : buttons) {
    if (!b->visible) continue;
    const RECT placed = ToRect(PlaceInRow(ToBox(b->rect), b->anchorRight, row));
    b->Draw(graphics, mouseX, mouseY, false, placed);
  }
  for (auto& s : statics) {
    if (!s->visible) continue;
    s->Draw(graphics, ToRect(PlaceInRow(ToBox(s->rect), s->anchorRight, row)));
  }
}

bool CImageItem::TrackMouse(int x, int y) {
  mouseX = x;
  mouseY = y;
  const Box row = owner ? ToBox(owner->GetItemRect(id)) : ToBox(rect);
  for (auto& b : buttons) {
    if (!b->visible) continue;
    const Box placed = TrackInRow(ToBox(b->rect), b->anchorRight, row);
    if (hoverPart) {
      if (placed.Contains(x, y)) {
        if (b.get() == hoverPart) return false;
        hoverPart = b.get();
        return true;
      }
      if (b.get() == hoverPart) {
        hoverPart = nullptr;
        return true;
      }
    } else if (placed.Contains(x, y)) {
      hoverPart = b.get();
      return true;
    }
  }
  return false;
}

void CImageItem::ResetHover() {
  hoverPart = nullptr;
  mouseX = -1;
  mouseY = 0;
}

void CImageItem::SetBounds(int left, int top, int right, int bottom) {
  for (ChildWindow& child : childWindows) {
    if (!child.window || !child.window->GetHwnd()) continue;
    const RECT& r = child.rect;
    const int childRight = std::min<int>(right, left + r.right);
    const int childBottom = std::min<int>(bottom, top + r.bottom);
    MoveWindow(child.window->GetHwnd(), left + r.left, top + r.top, childRight - (left + r.left),
               childBottom - (top + r.top), TRUE);
  }
}
