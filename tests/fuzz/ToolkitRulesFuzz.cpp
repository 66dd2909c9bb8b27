#include <cmath>
#include <cstdint>

#include "FuzzInput.h"
#include "Geometry.h"
#include "HitTest.h"
#include "LayoutRules.h"
#include "ListRules.h"

namespace {

// Coordinates and sizes as windows have them: well inside what a screen,
// a skin or a scrolled list can reach.
constexpr int kFar = 1 << 20;

int Coord(FuzzInput& in) { return static_cast<int>(in.Int(-kFar, kFar)); }
int Size(FuzzInput& in) { return static_cast<int>(in.Int(0, kFar)); }
int Anchor(FuzzInput& in) { return in.Bool() ? kUnset : Size(in); }

Box AnyBox(FuzzInput& in) {
  const int left = Coord(in), top = Coord(in);
  return {left, top, left + Size(in), top + Size(in)};
}

void HitTest(FuzzInput& in) {
  const int width = Size(in), height = Size(in);
  const int gripW = static_cast<int>(in.Int(0, width / 2)), gripH = static_cast<int>(in.Int(0, height / 2));
  const int x = static_cast<int>(in.Int(0, width)), y = static_cast<int>(in.Int(0, height));
  const int hit = ResizeHitTest(x, y, width, height, gripW, gripH);
  const bool left = hit == kHitLeft || hit == kHitTopLeft || hit == kHitBottomLeft;
  const bool right = hit == kHitRight || hit == kHitTopRight || hit == kHitBottomRight;
  const bool top = hit == kHitTop || hit == kHitTopLeft || hit == kHitTopRight;
  const bool bottom = hit == kHitBottom || hit == kHitBottomLeft || hit == kHitBottomRight;
  FUZZ_CHECK(hit == kHitClient || left || right || top || bottom);
  if (left) FUZZ_CHECK(x <= gripW);
  if (right) FUZZ_CHECK(x >= width - gripW);
  if (top) FUZZ_CHECK(y < gripH);
  if (bottom) FUZZ_CHECK(y >= height - gripH);
  // Away from every band is the client area.
  if (x > gripW && x < width - gripW && y > gripH && y < height - gripH) FUZZ_CHECK(hit == kHitClient);
}

void Geometry(FuzzInput& in) {
  const Box box = AnyBox(in);
  const int grow = static_cast<int>(in.Int(-64, 64));
  const Box grown = GrowUnlessEmpty(box, grow);
  if (box.Width() == 0) {
    FUZZ_CHECK(grown == box);
  } else {
    FUZZ_CHECK(grown.Width() == box.Width() + 2 * grow && grown.Height() == box.Height() + 2 * grow);
    FUZZ_CHECK(grown.left == box.left - grow && grown.top == box.top - grow);
  }

  const int workW = Size(in), workH = Size(in), minW = Size(in), minH = Size(in);
  const Box placed = DialogPlacement(workW, workH, minW, minH);
  if (minW == 0 || minH == 0) {
    FUZZ_CHECK(placed == Box{});
  } else {
    FUZZ_CHECK(placed.Width() == minW && placed.Height() == minH);
    const int spareX = workW - minW - 2 * placed.left, spareY = workH - minH - 2 * placed.top;
    FUZZ_CHECK(spareX >= -1 && spareX <= 1 && spareY >= -1 && spareY <= 1);
  }

  const int w = static_cast<int>(in.Int(3, kFar)), h = static_cast<int>(in.Int(3, kFar));
  for (const Point& p : CornerCutPolygon(w, h)) FUZZ_CHECK(p.x >= 0 && p.x <= w && p.y >= 0 && p.y <= h);
}

void Layout(FuzzInput& in) {
  const Box rect = AnyBox(in);
  const int anchorRight = Anchor(in), anchorBottom = Anchor(in);
  const int fixedLeft = in.Bool() ? kUnset : Coord(in), fixedTop = in.Bool() ? kUnset : Coord(in);
  const int width = Size(in), height = Size(in);
  const Box button = AnchorButton(rect, anchorRight, anchorBottom, width, height);
  FUZZ_CHECK(button.Width() == rect.Width() && button.Height() == rect.Height());
  if (anchorRight != kUnset) FUZZ_CHECK(button.right == width - anchorRight);
  if (anchorBottom != kUnset) FUZZ_CHECK(button.bottom == height - anchorBottom);

  const Box stat = AnchorStatic(rect, anchorRight, anchorBottom, fixedLeft, fixedTop, width, height);
  FUZZ_CHECK(stat.right == button.right && stat.bottom == button.bottom);
  if (anchorRight == kUnset || fixedLeft == kUnset) FUZZ_CHECK(stat.left == button.left);
  if (anchorBottom == kUnset || fixedTop == kUnset) FUZZ_CHECK(stat.top == button.top);

  const int x = Coord(in), y = Coord(in);
  const bool pressed = in.Bool();
  FUZZ_CHECK(!CaptionDragStarts(rect, x, y, pressed, false));
  const bool drag = CaptionDragStarts(rect, x, y, pressed, true);
  if (rect.Width() != 0 || rect.Height() != 0) FUZZ_CHECK(drag == rect.Contains(x, y));
  else FUZZ_CHECK(drag == (y <= kCaptionBandBottom && !pressed));

  const int band = Size(in), maxText = Size(in);
  const TextBand tb = CaptionBand(band, maxText);
  FUZZ_CHECK(tb.offset >= 0 && tb.height >= 0 && tb.offset + tb.height <= band);
  if (maxText != 0) FUZZ_CHECK(tb.height <= maxText || tb.height == band);

  // Captions lie in client coordinates. Left of 0 the float-to-int cut rounds
  // towards zero, the other way, and a span can end a pixel late; kept as it is.
  const int spanLeft = Size(in), spanWidth = Size(in);
  const float measured = static_cast<float>(in.Int(0, kFar * 64)) / 64.0f;
  const int align = static_cast<int>(in.Int(0, 2));
  const Span span = MeasuredTextSpan(spanLeft, spanWidth, measured, align);
  FUZZ_CHECK(span.left >= spanLeft && span.left <= span.right);
  FUZZ_CHECK(span.right <= spanLeft + spanWidth);
  FUZZ_CHECK(span.right - span.left <= static_cast<int>(std::ceil(measured)));

  const std::int64_t position = in.Int(INT64_MIN, INT64_MAX);
  const int available = static_cast<int>(in.Int(INT32_MIN, INT32_MAX));
  const int fill = ProgressFillWidth(position, available);
  FUZZ_CHECK(fill >= 0 && fill <= (available > 0 ? available : 0));
  if (position >= 100) FUZZ_CHECK(fill == (available > 0 ? available : 0));
  if (position <= 0) FUZZ_CHECK(fill == 0);
  if (position < INT64_MAX) FUZZ_CHECK(ProgressFillWidth(position + 1, available) >= fill);
}

void Rows(FuzzInput& in) {
  const Box part = AnyBox(in), row = AnyBox(in);
  const int anchorRight = Anchor(in);
  const Box placed = PlaceInRow(part, anchorRight, row);
  const Box tracked = TrackInRow(part, anchorRight, row);
  FUZZ_CHECK(placed.right <= row.right && placed.bottom <= row.bottom);
  FUZZ_CHECK(tracked.Width() == part.Width() && tracked.Height() == part.Height());
  FUZZ_CHECK(tracked.top == row.top + part.top && placed.top == tracked.top);
  if (anchorRight != kUnset) {
    FUZZ_CHECK(placed.left >= row.left && tracked.right == row.right - anchorRight);
  }

  const int topInParent = Coord(in), height = Size(in), parentBottom = Size(in);
  const bool shown = RowOnScreen(topInParent, height, parentBottom);
  if (shown) FUZZ_CHECK(topInParent >= 0 && topInParent <= parentBottom && topInParent + height != 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  switch (in.Int(0, 3)) {
    case 0: HitTest(in); break;
    case 1: Geometry(in); break;
    case 2: Layout(in); break;
    default: Rows(in); break;
  }
  return 0;
}
