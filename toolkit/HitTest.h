#pragma once

// Hit-test results, the values of the platform's HT* codes.
enum HitCode : int {
  kHitClient = 1,
  kHitCaption = 2,
  kHitLeft = 10,
  kHitRight = 11,
  kHitTop = 12,
  kHitTopLeft = 13,
  kHitTopRight = 14,
  kHitBottom = 15,
  kHitBottomLeft = 16,
  kHitBottomRight = 17,
};

// Resize bands of a borderless window: point in client coordinates, first matching band wins.
[[nodiscard]] int ResizeHitTest(int x, int y, int width, int height, int gripWidth, int gripHeight);
