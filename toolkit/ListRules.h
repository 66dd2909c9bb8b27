#pragma once
#include "Geometry.h"

// Where a row's element is drawn: relative to the row's top, an anchored
// right edge kept from the row's right without leaving the row's left, and
// clipped to the row's right and bottom.
[[nodiscard]] Box PlaceInRow(const Box& part, int anchorRight, const Box& row);

// Where a row's element is hit-tested: the same move of an anchored element,
// its width unchanged and nothing clipped.
[[nodiscard]] Box TrackInRow(const Box& part, int anchorRight, const Box& row);

// A row of a list inside a parent is on screen when its top, in the parent's
// client coordinates, lies within the parent; an empty row at 0 never is.
[[nodiscard]] bool RowOnScreen(int topInParent, int height, int parentBottom);
