#pragma once
#include <array>
#include <cstdint>

// Platform-free rectangle and point, laid out like the Win32 ones so that the
// rules below can be unit-tested without Windows headers.
struct Box {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  [[nodiscard]] int Width() const { return right - left; }
  [[nodiscard]] int Height() const { return bottom - top; }
  // Same rule as PtInRect: left and top inside, right and bottom outside.
  [[nodiscard]] bool Contains(int x, int y) const {
    return x >= left && x < right && y >= top && y < bottom;
  }
  friend bool operator==(const Box& a, const Box& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
};

// Grows every side by size; a box of width 0 (a window not yet sized) stays as it is.
[[nodiscard]] Box GrowUnlessEmpty(const Box& box, int size);

// Top corners cut by one pixel, bottom corners by two.
[[nodiscard]] std::array<Point, 8> CornerCutPolygon(int width, int height);

// Centred on a work area whose own origin is not added; all zero without a minimum size.
[[nodiscard]] Box DialogPlacement(int workWidth, int workHeight, int minWidth, int minHeight);
