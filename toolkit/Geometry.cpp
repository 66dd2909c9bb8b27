#include "Geometry.h"

Box GrowUnlessEmpty(const Box& box, int size) {
  if (box.Width() == 0) return box;
  return {box.left - size, box.top - size, box.right + size, box.bottom + size};
}

std::array<Point, 8> CornerCutPolygon(int width, int height) {
  const int w = width;
  const int h = height;
  return {{{0, 1}, {1, 0}, {w - 1, 0}, {w, 1}, {w, h - 2}, {w - 2, h}, {2, h}, {0, h - 2}}};
}

Box DialogPlacement(int workWidth, int workHeight, int minWidth, int minHeight) {
  if (minWidth == 0 || minHeight == 0) return {};
  const int x = (workWidth - minWidth) / 2;
  const int y = (workHeight - minHeight) / 2;
  return {x, y, x + minWidth, y + minHeight};
}
