#include "LayoutRules.h"

#include <algorithm>

namespace {

// One axis: returns the new near and far edges.
void AnchorAxis(int& nearEdge, int& farEdge, int anchor, int fixedNear, int extent) {
  if (anchor == kUnset || extent - anchor == farEdge) return;
  const int newFar = extent - anchor;
  if (fixedNear != kUnset) {
    nearEdge = fixedNear;
  } else {
    nearEdge = newFar - (farEdge - nearEdge);
  }
  farEdge = newFar;
}

}  // namespace

Box AnchorButton(const Box& rect, int anchorRight, int anchorBottom, int width, int height) {
  return AnchorStatic(rect, anchorRight, anchorBottom, kUnset, kUnset, width, height);
}

Box AnchorStatic(const Box& rect, int anchorRight, int anchorBottom, int fixedLeft, int fixedTop,
                 int width, int height) {
  Box r = rect;
  AnchorAxis(r.left, r.right, anchorRight, fixedLeft, width);
  AnchorAxis(r.top, r.bottom, anchorBottom, fixedTop, height);
  return r;
}

bool CaptionDragStarts(const Box& captionRect, int x, int y, bool elementPressed,
                       bool captionDrag) {
  if (!captionDrag) return false;
  if (captionRect.Width() == 0 && captionRect.Height() == 0) {
    return y <= kCaptionBandBottom && !elementPressed;
  }
  return captionRect.Contains(x, y);
}

TextBand CaptionBand(int height, int maxTextHeight) {
  if (maxTextHeight != 0 && maxTextHeight < height) {
    return {(height - maxTextHeight) / 2, maxTextHeight};
  }
  return {0, height};
}

Span MeasuredTextSpan(int left, int width, float measuredWidth, int align) {
  float start = static_cast<float>(left);
  if (measuredWidth < static_cast<float>(width)) {
    const float spare = static_cast<float>(width) - measuredWidth;
    if (align == 1) start += spare * 0.5f;
    if (align == 2) start += spare;
  }
  const int l = static_cast<int>(start);
  const float covered = std::min(measuredWidth, static_cast<float>(width));
  return {l, static_cast<int>(static_cast<float>(l) + covered)};
}

int ProgressFillWidth(std::int64_t position, int available) {
  if (available <= 0) return 0;
  const std::int64_t clamped = std::clamp<std::int64_t>(position, 0, 100);
  return static_cast<int>(clamped * available / 100);
}
