#include "ListRules.h"

#include <algorithm>

#include "LayoutRules.h"

Box PlaceInRow(const Box& part, int anchorRight, const Box& row) {
  Box r = {part.left, row.top + part.top, part.right, row.top + part.bottom};
  if (anchorRight != kUnset) {
    r.right = row.right - anchorRight;
    r.left = std::max(row.left, r.right - part.Width());
  }
  r.right = std::min(r.right, row.right);
  r.bottom = std::min(r.bottom, row.bottom);
  return r;
}

Box TrackInRow(const Box& part, int anchorRight, const Box& row) {
  Box r = {part.left, row.top + part.top, part.right, row.top + part.bottom};
  if (anchorRight != kUnset) {
    r.right = row.right - anchorRight;
    r.left = r.right - part.Width();
  }
  return r;
}

bool RowOnScreen(int topInParent, int height, int parentBottom) {
  if (topInParent + height == 0) return false;
  return topInParent >= 0 && topInParent <= parentBottom;
}
