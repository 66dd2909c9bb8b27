#include <gtest/gtest.h>

#include "SkinImage.h"
#include "ToolkitTestSupport.h"

using namespace toolkittest;

namespace {

constexpr RECT kOwnRect = {};

class ElementLooksTest : public ::testing::Test {
 protected:
  GdiplusScope gdiplus_;
  DibSurface surface_{nullptr, 200, 60};

  // Draws one button alone on a transparent surface.
  void DrawButton(CImageButton& b, int mouseX, int mouseY, bool pressed) {
    surface_.Fill(0);
    Gdiplus::Graphics g(surface_.Dc());
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    b.Draw(g, mouseX, mouseY, pressed, kOwnRect);
  }

  // Rows (y) where anything was drawn.
  std::pair<int, int> InkRows() const {
    int first = -1;
    int last = -1;
    for (int y = 0; y < surface_.Height(); ++y) {
      for (int x = 0; x < surface_.Width(); ++x) {
        if (surface_.Pixel(x, y) >> 24) {
          if (first < 0) first = y;
          last = y;
          break;
        }
      }
    }
    return {first, last};
  }

  int InkPixels() const {
    int n = 0;
    for (int y = 0; y < surface_.Height(); ++y) {
      for (int x = 0; x < surface_.Width(); ++x) n += (surface_.Pixel(x, y) >> 24) ? 1 : 0;
    }
    return n;
  }
};

TEST_F(ElementLooksTest, EachLookFallsBackToTheImagesThatExist) {
  struct Row {
    const char* name;
    int normal, hover, pressed;
    bool checked;
    int mouseX;
    bool leftPressed;
    std::uint32_t expected;
  } rows[] = {
      {"normal", kRed, kGreen, kBlue, false, 150, false, kOpaqueRed},
      {"hover", kRed, kGreen, kBlue, false, 30, false, kOpaqueGreen},
      {"pressed", kRed, kGreen, kBlue, false, 30, true, kOpaqueBlue},
      {"checked pins pressed", kRed, kGreen, kBlue, true, 150, false, kOpaqueBlue},
      {"hover without its image", kRed, 0, 0, false, 30, false, kOpaqueRed},
      {"pressed without any", kRed, 0, 0, false, 30, true, kOpaqueRed},
      {"pressed falls back to hover", kRed, kGreen, 0, false, 30, true, kOpaqueGreen},
  };
  for (const Row& row : rows) {
    CImageButton b(nullptr, 1, Rect(10, 10, 60, 50), L"");
    b.SetImages(row.normal, row.hover, row.pressed, 0);
    b.checked = row.checked;
    DrawButton(b, row.mouseX, 30, row.leftPressed);
    EXPECT_EQ(surface_.Pixel(35, 30), row.expected) << row.name;
  }
}

TEST_F(ElementLooksTest, StripGivesNormalLeftAndHoverRightHalves) {
  CImageButton b(nullptr, 1, Rect(0, 0, 60, 30), L"");
  b.SetStripImage(kStrip);
  ASSERT_TRUE(b.normalImage && b.hoverImage);
  EXPECT_FALSE(b.fourStateImages);
  EXPECT_EQ(b.normalImage->GetWidth(), 60u);
  EXPECT_EQ(b.hoverImage->GetHeight(), 30u);
  struct Row {
    int mouseX;
    bool pressed;
    std::uint32_t expected;
  } rows[] = {{100, false, kOpaqueGreen}, {30, false, kOpaqueBlue}, {30, true, kOpaqueBlue}};
  for (const Row& row : rows) {
    DrawButton(b, row.mouseX, 15, row.pressed);
    EXPECT_EQ(surface_.Pixel(30, 15), row.expected) << row.mouseX << " " << row.pressed;
  }
}

TEST_F(ElementLooksTest, DrawModesLayerTheNormalImageAndTheLook) {
  struct Row {
    int drawMode;
    std::uint32_t expected;  // premultiplied
  } rows[] = {{3, 0x40404040}, {4, kOpaqueRed}, {5, 0xFFFF4040}, {7, 0}};
  for (const Row& row : rows) {
    CImageButton b(nullptr, 1, Rect(0, 0, 40, 40), L"");
    b.SetImages(kRed, kGlow, 0, 0);
    b.drawMode = row.drawMode;
    DrawButton(b, 20, 20, false);
    const std::uint32_t p = surface_.Pixel(20, 20);
    EXPECT_NEAR(static_cast<int>(p >> 24), static_cast<int>(row.expected >> 24), 2) << row.drawMode;
    EXPECT_NEAR(static_cast<int>((p >> 8) & 0xFF), static_cast<int>((row.expected >> 8) & 0xFF), 2)
        << row.drawMode;
  }
}

TEST_F(ElementLooksTest, CaptionBandShrinksToMaxTextHeight) {
  CImageButton b(nullptr, 1, Rect(0, 0, 200, 30), L"Wg\u6587\u5B57");
  b.kind = 2;
  b.maxTextHeight = 12;
  DrawButton(b, -1, -1, false);
  EXPECT_EQ(b.textBounds.top, 2 + 7);
  EXPECT_EQ(b.textBounds.bottom, 2 + 7 + 12);
  const auto [first, last] = InkRows();
  EXPECT_GE(first, 2) << "ink stays in the button";
  EXPECT_LE(last, 29);
}

TEST_F(ElementLooksTest, LinkBoundsCoverTheMeasuredCaptionOnly) {
  struct Row {
    int align;
  } rows[] = {{0}, {1}, {2}};
  for (const Row& row : rows) {
    CImageButton b(nullptr, 1, Rect(20, 0, 180, 30), L"\u5B98\u7F51");
    b.kind = 2;
    b.textAlign = row.align;
    DrawButton(b, -1, -1, false);
    const RECT t = b.textBounds;
    EXPECT_GT(t.right - t.left, 5) << row.align;
    EXPECT_LT(t.right - t.left, 80) << row.align;
    const int expectedLeft[] = {20, 20 + (160 - (t.right - t.left)) / 2, 180 - (t.right - t.left)};
    EXPECT_NEAR(t.left, expectedLeft[row.align], 1) << row.align;
  }
  CImageButton plain(nullptr, 1, Rect(20, 0, 180, 30), L"\u5B98\u7F51");
  DrawButton(plain, -1, -1, false);
  EXPECT_EQ(plain.textBounds.right, 0) << "only links measure";
}

TEST_F(ElementLooksTest, TransparentTextColourHidesTheCaptionInThatLook) {
  CImageButton b(nullptr, 1, Rect(0, 0, 200, 30), L"\u5145\u503C Pay");
  b.SetTextColors(0x00112233, 0xFF0000FF, 0);
  EXPECT_EQ(b.textBrushes[CImageButton::kNormal], nullptr);
  EXPECT_EQ(b.textBrushes[CImageButton::kPressed], nullptr);
  DrawButton(b, -1, -1, false);
  EXPECT_EQ(InkPixels(), 0) << "normal look";
  DrawButton(b, 100, 15, false);
  EXPECT_GT(InkPixels(), 10) << "hover look";
  DrawButton(b, 100, 15, true);
  EXPECT_EQ(InkPixels(), 0) << "pressed falls back to the empty normal slot";
}

TEST_F(ElementLooksTest, ToggleSwapsTheImageSetsOnce) {
  CImageButton four(nullptr, 1, Rect(0, 0, 12, 12), L"");
  four.SetImages(kRed, kGreen, kBlue, kYellow);
  Gdiplus::Image* normal = four.normalImage.get();
  Gdiplus::Image* hover = four.hoverImage.get();
  Gdiplus::Image* pressed = four.pressedImage.get();
  Gdiplus::Image* fourth = four.fourthImage.get();
  four.SetToggled(true);
  four.SetToggled(true);
  EXPECT_EQ(four.normalImage.get(), fourth);
  EXPECT_EQ(four.fourthImage.get(), normal);
  EXPECT_EQ(four.hoverImage.get(), pressed);
  EXPECT_EQ(four.pressedImage.get(), hover);
  four.SetToggled(false);
  EXPECT_EQ(four.normalImage.get(), normal);
  EXPECT_EQ(four.hoverImage.get(), hover);

  CImageButton strip(nullptr, 2, Rect(0, 0, 60, 30), L"");
  strip.SetStripImage(kStrip);
  Gdiplus::Image* left = strip.normalImage.get();
  strip.SetToggled(true);
  EXPECT_EQ(strip.pressedImage.get(), left);
  EXPECT_EQ(strip.normalImage.get(), nullptr);
}

TEST_F(ElementLooksTest, BorderHasChamferedCornersAndTheFillStaysInside) {
  CImageButton b(nullptr, 1, Rect(10, 10, 60, 40), L"");
  b.borderPens[0].reset(new Gdiplus::Pen(Gdiplus::Color(0xFF0000FF), 1.0f));
  b.backgroundBrushes[0].reset(new Gdiplus::SolidBrush(Gdiplus::Color(0xFFFF0000)));
  b.showText = false;
  DrawButton(b, -1, -1, false);
  EXPECT_EQ(surface_.Pixel(10, 10) >> 24, 0u) << "corner cut";
  EXPECT_EQ(surface_.Pixel(59, 39) >> 24, 0u) << "corner cut";
  EXPECT_EQ(surface_.Pixel(35, 10) & 0xFF, 0xFFu) << "outline on the top edge";
  EXPECT_EQ(surface_.Pixel(35, 25), kOpaqueRed) << "fill inside";
  EXPECT_EQ(surface_.Pixel(60, 25), 0u) << "nothing right of the rect";
}

TEST_F(ElementLooksTest, IconIsDrawnAtItsRectangle) {
  CImageButton b(nullptr, 1, Rect(20, 10, 120, 50), L"");
  b.iconEnabled = true;
  b.icon = LoadPngImage(kGreen);
  b.iconHover = LoadPngImage(kBlue);
  b.iconRect = Rect(4, 4, 20, 20);
  DrawButton(b, -1, -1, false);
  EXPECT_EQ(surface_.Pixel(32, 22), kOpaqueGreen);
  EXPECT_EQ(surface_.Pixel(50, 40), 0u);
  DrawButton(b, 60, 30, false);
  EXPECT_EQ(surface_.Pixel(32, 22), kOpaqueBlue) << "hover icon";
}

TEST_F(ElementLooksTest, EdgeSafeStretchKeepsOpaqueEdges) {
  struct Row {
    bool edgeSafe;
    bool opaqueEdges;
  } rows[] = {{true, true}, {false, false}};
  DibSurface wide(nullptr, 300, 20);
  for (const Row& row : rows) {
    CImageStatic s;
    s.image = LoadPngImage(kEdge);
    s.edgeSafeStretch = row.edgeSafe;
    s.rect = Rect(0, 0, 300, 20);
    wide.Fill(0);
    Gdiplus::Graphics g(wide.Dc());
    s.Draw(g, kOwnRect);
    const bool opaque = wide.Pixel(0, 10) == kOpaqueGreen && wide.Pixel(299, 10) == kOpaqueGreen &&
                        wide.Pixel(150, 0) == kOpaqueGreen && wide.Pixel(150, 19) == kOpaqueGreen;
    EXPECT_EQ(opaque, row.opaqueEdges) << "edge safe " << row.edgeSafe;
    EXPECT_EQ(wide.Pixel(150, 10), kOpaqueGreen);
  }
}

TEST_F(ElementLooksTest, StaticCaptionAndBackgroundBrush) {
  CImageStatic s;
  s.rect = Rect(10, 10, 190, 50);
  s.backgroundBrush.reset(new Gdiplus::SolidBrush(Gdiplus::Color(0xFFFEBD3C)));
  Gdiplus::Graphics g(surface_.Dc());
  surface_.Fill(0);
  s.Draw(g, kOwnRect);
  EXPECT_EQ(surface_.Pixel(9, 9), 0xFFFEBD3Cu) << "the fill starts one pixel up and left";
  EXPECT_EQ(InkPixels(), 181 * 41);
  wcscpy(s.text, L"\u5378\u8F7D");
  s.textBrush.reset(new Gdiplus::SolidBrush(Gdiplus::Color(0xFFFFFFFF)));
  surface_.Fill(0);
  s.Draw(g, kOwnRect);
  int lettered = 0;
  for (int y = 10; y < 50; ++y) lettered += 180 - CountInRow(surface_, y, 10, 190, 0xFFFEBD3C);
  EXPECT_GT(lettered, 10) << "the caption is drawn over the fill";
  s.visible = false;
  surface_.Fill(0);
  s.Draw(g, kOwnRect);
  EXPECT_EQ(InkPixels(), 0);
}

}  // namespace
