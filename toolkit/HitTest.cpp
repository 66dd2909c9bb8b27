#include "HitTest.h"

int ResizeHitTest(int x, int y, int width, int height, int gripWidth, int gripHeight) {
  // The corners are not symmetric (< on one side, <= on the other); they are
  // kept so that existing windows resize exactly where they always did.
  if (x < gripWidth && y < gripHeight) return kHitTopLeft;
  if (x <= gripWidth && y >= height - gripHeight) return kHitBottomLeft;
  if (x > width - gripWidth && y < gripHeight) return kHitTopRight;
  if (x >= width - gripWidth && y >= height - gripHeight) return kHitBottomRight;
  if (x < gripWidth) return kHitLeft;
  if (x >= width - gripWidth) return kHitRight;
  if (y < gripHeight) return kHitTop;
  if (y > height - gripHeight) return kHitBottom;
  return kHitClient;
}
