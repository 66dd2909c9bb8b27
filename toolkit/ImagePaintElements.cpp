#include <algorithm>

#include "ImagePaint.h"
#include "LayoutRules.h"
#include "SkinImage.h"

namespace {

template <typename T>
T* FindById(const std::vector<std::unique_ptr<T>>& list, int id) {
  auto it = std::find_if(list.begin(), list.end(), [id](const auto& e) { return e->id == id; });
  return it == list.end() ? nullptr : it->get();
}

template <typename T>
bool EraseById(std::vector<std::unique_ptr<T>>& list, int id) {
  auto it = std::find_if(list.begin(), list.end(), [id](const auto& e) { return e->id == id; });
  if (it == list.end()) return false;
  list.erase(it);
  return true;
}

Box ToBox(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

CImageButton* CImagePaint::AddButton(int id, int normalId, int hoverId, int pressedId,
                                     int fourthId, const RECT& rect) {
  if (CImageButton* existing = FindButton(id)) {
    existing->SetImages(normalId, hoverId, pressedId, fourthId);
    existing->text[0] = L'\0';
    existing->SetBounds(rect.left, rect.top, rect.right, rect.bottom);
    return existing;
  }
  auto button = std::make_unique<CImageButton>(hwnd, id, rect, L"");
  button->SetImages(normalId, hoverId, pressedId, fourthId);
  buttons.push_back(std::move(button));
  return buttons.back().get();
}

CImageButton* CImagePaint::FindButton(int id) const { return FindById(buttons, id); }

bool CImagePaint::RemoveButton(int id) {
  CImageButton* button = FindButton(id);
  if (!button) return false;
  if (hover == button) hover = nullptr;
  return EraseById(buttons, id);
}

CImageStatic* CImagePaint::AddStatic(int imageId, int id, bool edgeSafeStretch,
                                     const RECT& rect) {
  CImageStatic* target = FindStatic(id);
  if (!target) {
    statics.push_back(std::make_unique<CImageStatic>());
    target = statics.back().get();
  }
  target->rect = rect;
  target->id = id;
  target->edgeSafeStretch = edgeSafeStretch;
  target->image = LoadPngImage(imageId);
  InvalidateBackground();
  return target;
}

CImageStatic* CImagePaint::FindStatic(int id) const { return FindById(statics, id); }

bool CImagePaint::RemoveStatic(int id) {
  InvalidateBackground();
  return EraseById(statics, id);
}

CImageProgressbar* CImagePaint::AddProgressbar(int id, const RECT& rect, int backgroundId,
                                               int fillId) {
  if (CImageProgressbar* existing = FindById(progressBars, id)) {
    existing->SetImages(backgroundId, fillId);
    existing->SetBounds(rect.left, rect.top, rect.right, rect.bottom);
    return existing;
  }
  progressBars.push_back(std::make_unique<CImageProgressbar>(hwnd, id, rect));
  progressBars.back()->SetImages(backgroundId, fillId);
  return progressBars.back().get();
}

bool CImagePaint::Owns(const CImageButton* button) const {
  return std::any_of(buttons.begin(), buttons.end(),
                     [button](const auto& b) { return b.get() == button; });
}

void CImagePaint::ToggleMaximize() {
  CImageButton* maximize = FindButton(kMaximizeId);
  CImageButton* restore = FindButton(kRestoreId);
  if (!maximize || !restore) return;
  if (IsZoomed(hwnd)) {
    maximize->visible = true;
    restore->visible = false;
    ShowWindow(hwnd, SW_RESTORE);
  } else {
    restore->visible = true;
    maximize->visible = false;
    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
  }
}

void CImagePaint::LayoutElements(const RECT& client) {
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  for (auto& b : buttons) {
    const Box r = AnchorButton(ToBox(b->rect), b->anchorRight, b->anchorBottom, width, height);
    if (!(r == ToBox(b->rect))) b->SetBounds(r.left, r.top, r.right, r.bottom);
  }
  for (auto& s : statics) {
    const Box r = AnchorStatic(ToBox(s->rect), s->anchorRight, s->anchorBottom, s->fixedLeft,
                               s->fixedTop, width, height);
    s->rect = {r.left, r.top, r.right, r.bottom};
  }
  Redraw(client);
}
