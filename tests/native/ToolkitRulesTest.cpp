#include <gtest/gtest.h>

#include "Geometry.h"
#include "HitTest.h"
#include "LayoutRules.h"
#include "ListRules.h"

namespace {

TEST(ResizeHitTest, BandsOfThreePixelsOnA400By300Window) {
  struct Row {
    int x, y, expected;
  } rows[] = {
      {2, 2, kHitTopLeft},        {3, 3, kHitClient},        {0, 0, kHitTopLeft},
      {3, 297, kHitBottomLeft},   {2, 297, kHitBottomLeft},  {4, 297, kHitClient},
      {398, 2, kHitTopRight},     {397, 2, kHitRight},         {397, 297, kHitBottomRight},
      {396, 297, kHitClient},     {1, 150, kHitLeft},        {3, 150, kHitClient},
      {397, 150, kHitRight},      {396, 150, kHitClient},    {200, 2, kHitTop},
      {200, 3, kHitClient},       {200, 298, kHitBottom},    {200, 297, kHitClient},
      {200, 296, kHitClient},     {200, 150, kHitClient},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(ResizeHitTest(r.x, r.y, 400, 300, 3, 3), r.expected) << r.x << "," << r.y;
  }
}

TEST(AnchorLayout, ButtonsMoveStaticsWithAFixedEdgeStretch) {
  struct Row {
    const char* name;
    Box rect;
    int anchorRight, anchorBottom, fixedLeft, fixedTop;
    Box expected;
  } rows[] = {
      {"right 25 keeps width", {700, 10, 775, 40}, 25, -1, -1, -1, {900, 10, 975, 40}},
      {"bottom 10 keeps height", {10, 700, 50, 790}, -1, 10, -1, -1, {10, 800, 50, 890}},
      {"both", {700, 700, 775, 790}, 25, 10, -1, -1, {900, 800, 975, 890}},
      {"no anchors stay", {5, 5, 50, 50}, -1, -1, -1, -1, {5, 5, 50, 50}},
      {"fixed left stretches", {0, 0, 800, 25}, 0, -1, 0, -1, {0, 0, 1000, 25}},
      {"fixed top stretches", {0, 30, 10, 800}, -1, 0, -1, 30, {0, 30, 10, 900}},
      {"fixed edge without anchor stays", {0, 0, 300, 25}, -1, -1, 0, 0, {0, 0, 300, 25}},
      {"already in place", {900, 10, 975, 40}, 25, -1, 0, -1, {900, 10, 975, 40}},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(AnchorStatic(r.rect, r.anchorRight, r.anchorBottom, r.fixedLeft, r.fixedTop, 1000,
                           900),
              r.expected)
        << r.name;
    if (r.fixedLeft == -1 && r.fixedTop == -1) {
      EXPECT_EQ(AnchorButton(r.rect, r.anchorRight, r.anchorBottom, 1000, 900), r.expected)
          << r.name;
    }
  }
}

TEST(HoverIds, DecorationRangeIsExcluded) {
  struct Row {
    int id;
    bool hoverable;
  } rows[] = {{10, true}, {99, true}, {100, false}, {150, false}, {250, false}, {251, true}};
  for (const Row& r : rows) EXPECT_EQ(IsHoverableId(r.id), r.hoverable) << r.id;
}

TEST(CaptionDrag, EmptyRectMeansTheTopFortyPixels) {
  const Box none = {};
  const Box band = {0, 0, 295, 190};
  struct Row {
    const char* name;
    Box caption;
    int x, y;
    bool pressed, enabled, drags;
  } rows[] = {
      {"y 40 drags", none, 300, 40, false, true, true},
      {"y 41 does not", none, 300, 41, false, true, false},
      {"element pressed in the band", none, 300, 10, true, true, false},
      {"disabled", none, 300, 10, false, false, false},
      {"inside the rect", band, 200, 150, false, true, true},
      {"pressed inside the rect still drags", band, 200, 150, true, true, true},
      {"outside the rect", band, 300, 10, false, true, false},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(CaptionDragStarts(r.caption, r.x, r.y, r.pressed, r.enabled), r.drags) << r.name;
  }
}

TEST(CaptionBand, ShrinksToMaxTextHeightCentred) {
  struct Row {
    int height, maxTextHeight, offset, band;
  } rows[] = {{27, 12, 7, 12}, {27, 0, 0, 27}, {27, 27, 0, 27}, {27, 40, 0, 27}, {10, 5, 2, 5}};
  for (const Row& r : rows) {
    const TextBand b = CaptionBand(r.height, r.maxTextHeight);
    EXPECT_EQ(b.offset, r.offset) << r.height << "/" << r.maxTextHeight;
    EXPECT_EQ(b.height, r.band) << r.height << "/" << r.maxTextHeight;
  }
}

TEST(MeasuredTextSpan, CentredOrFarWhenNarrowerAndClippedWhenWider) {
  struct Row {
    int align;
    float measured;
    int left, right;
  } rows[] = {{0, 40.5f, 10, 50}, {1, 40.5f, 39, 79}, {2, 40.5f, 69, 109},
              {1, 150.0f, 10, 110}, {2, 100.0f, 10, 110}};
  for (const Row& r : rows) {
    const Span s = MeasuredTextSpan(10, 100, r.measured, r.align);
    EXPECT_EQ(s.left, r.left) << r.align << " " << r.measured;
    EXPECT_EQ(s.right, r.right) << r.align << " " << r.measured;
  }
}

TEST(ProgressFill, PercentOfAvailableHeldToTheBar) {
  struct Row {
    long long position;
    int available, fill;
  } rows[] = {{0, 200, 0},    {50, 200, 100}, {100, 200, 200}, {33, 371, 122},
              {101, 200, 200}, {-5, 200, 0},  {50, 0, 0},      {50, -10, 0}};
  for (const Row& r : rows) {
    EXPECT_EQ(ProgressFillWidth(r.position, r.available), r.fill) << r.position << "/" << r.available;
  }
}

TEST(Geometry, CornerCutShadowAndDialogPlacement) {
  const auto polygon = CornerCutPolygon(200, 100);
  const std::array<Point, 8> expected = {
      {{0, 1}, {1, 0}, {199, 0}, {200, 1}, {200, 98}, {198, 100}, {2, 100}, {0, 98}}};
  EXPECT_EQ(polygon, expected);

  EXPECT_EQ(GrowUnlessEmpty({710, 370, 1210, 670}, 6), (Box{704, 364, 1216, 676}));
  EXPECT_EQ(GrowUnlessEmpty({710, 370, 710, 670}, 6), (Box{710, 370, 710, 670}));

  EXPECT_EQ(DialogPlacement(1920, 1040, 500, 300), (Box{710, 370, 1210, 670}));
  EXPECT_EQ(DialogPlacement(1920, 1040, 0, 300), (Box{}));
  EXPECT_EQ(DialogPlacement(301, 101, 100, 100), (Box{100, 0, 200, 100}));
}

}  // namespace

namespace {

TEST(RowPlacement, AnchoredRowElementsKeepTheirDistanceFromTheRight) {
  const Box row = {0, 24, 96, 48};
  struct Row {
    const char* name;
    Box part;
    int anchorRight;
    Box drawn;
    Box tracked;
  } rows[] = {
      {"plain, relative to the row top", {1, 1, 40, 23}, -1, {1, 25, 40, 47}, {1, 25, 40, 47}},
      {"anchored 10 ends at 86", {1, 1, 94, 23}, 10, {0, 25, 86, 47}, {-7, 25, 86, 47}},
      {"anchored small keeps width", {0, 2, 20, 22}, 10, {66, 26, 86, 46}, {66, 26, 86, 46}},
      {"clipped to the row", {80, 1, 120, 30}, -1, {80, 25, 96, 48}, {80, 25, 120, 54}},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(PlaceInRow(r.part, r.anchorRight, row), r.drawn) << r.name;
    EXPECT_EQ(TrackInRow(r.part, r.anchorRight, row), r.tracked) << r.name;
  }
}

TEST(RowPlacement, RowsOnScreenInTheirParent) {
  struct Row {
    int top, height, parentBottom;
    bool onScreen;
  } rows[] = {{0, 24, 100, true},  {100, 24, 100, true}, {101, 24, 100, false},
              {-1, 24, 100, false}, {0, 0, 100, false},  {-24, 24, 100, false}};
  for (const Row& r : rows) {
    EXPECT_EQ(RowOnScreen(r.top, r.height, r.parentBottom), r.onScreen) << r.top << "+" << r.height;
  }
}

}  // namespace
