#pragma once
#include <cstdint>

#include "Geometry.h"

inline constexpr int kUnset = -1;

// New rectangle of a button after a resize to width by height: anchored edges
// keep their distance from the right and bottom, the size is kept.
[[nodiscard]] Box AnchorButton(const Box& rect, int anchorRight, int anchorBottom, int width,
                               int height);

// As AnchorButton, but a fixed left or top edge stays put, so the static stretches.
[[nodiscard]] Box AnchorStatic(const Box& rect, int anchorRight, int anchorBottom, int fixedLeft,
                               int fixedTop, int width, int height);

// Decoration ids never take part in hover, press or click.
[[nodiscard]] constexpr bool IsHoverableId(int id) { return id < 100 || id > 250; }

// Whether a left press at (x, y) drags the window. An empty caption rectangle
// means the band y <= 40, and an element press there keeps the window still.
[[nodiscard]] bool CaptionDragStarts(const Box& captionRect, int x, int y, bool elementPressed,
                                     bool captionDrag);

inline constexpr int kCaptionBandBottom = 40;

// The vertical band of a caption: offset from the inset top and its height.
struct TextBand {
  int offset = 0;
  int height = 0;
};
[[nodiscard]] TextBand CaptionBand(int height, int maxTextHeight);

// Horizontal extent of a measured caption inside a span; align 0 near, 1 centre, 2 far.
struct Span {
  int left = 0;
  int right = 0;
};
[[nodiscard]] Span MeasuredTextSpan(int left, int width, float measuredWidth, int align);

// Pixels of a progress fill at position percent of the available width;
// positions outside 0..100 are held to it so the fill never leaves the bar.
[[nodiscard]] int ProgressFillWidth(std::int64_t position, int available);
