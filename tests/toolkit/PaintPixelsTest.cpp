#include <gtest/gtest.h>

#include "SkinImage.h"
#include "ToolkitTestSupport.h"

using namespace toolkittest;

namespace {

class PaintPixelsTest : public WindowTest {};

TEST_F(PaintPixelsTest, CropKeepsTheSliceAndItsAlpha) {
  ImagePtr source = LoadPngImage(kHalfAlpha);
  ASSERT_TRUE(source);
  ASSERT_EQ(source->GetWidth(), 80u);
  struct Row {
    int x;
    std::uint32_t expected;
  } rows[] = {{0, 0xFFFF0000}, {40, 0x800000FF}};
  for (const Row& row : rows) {
    ImagePtr slice = CropImage(source.get(), row.x, 40, 20);
    ASSERT_TRUE(slice);
    EXPECT_EQ(slice->GetWidth(), 40u);
    EXPECT_EQ(slice->GetHeight(), 20u);
    EXPECT_EQ(slice->GetPixelFormat(), PixelFormat32bppARGB);
    for (int x : {0, 20, 39}) {
      for (int y : {0, 19}) EXPECT_EQ(ImagePixel(slice.get(), x, y), row.expected) << row.x << "," << x;
    }
  }
}

TEST_F(PaintPixelsTest, MissingImagesAreNullAndTheButtonDrawsItsTextOnly) {
  EXPECT_FALSE(LoadPngImage(0));
  EXPECT_FALSE(LoadPngImage(kMissing));

  for (int missing : {0, static_cast<int>(kMissing)}) {
    RecordingWindow window;
    ASSERT_TRUE(Open(window, 200, 60));
    window.paint.SetBackgroundColor(kOpaqueWhite);
    CImageButton* b = window.paint.AddButton(5, missing, missing, missing, 0, Rect(0, 0, 200, 60));
    CImageStatic* s = window.paint.AddStatic(missing, 6, false, Rect(0, 0, 200, 60));
    EXPECT_FALSE(b->normalImage);
    EXPECT_FALSE(s->image);
    DibSurface surface(nullptr, 200, 60);

    wcscpy(b->text, L"\u6587\u5B57 Text");
    Render(window.paint, surface);
    const int whiteWithText = CountInRow(surface, 30, 0, 200, kOpaqueWhite);
    b->showText = false;
    Render(window.paint, surface);
    EXPECT_EQ(CountInRow(surface, 30, 0, 200, kOpaqueWhite), 200) << "only the fill without text";
    EXPECT_LT(whiteWithText, 200) << "the caption is drawn";
    EXPECT_GT(whiteWithText, 100) << "and nothing but the caption";
    DestroyWindow(window.GetHwnd());
  }
}

TEST_F(PaintPixelsTest, StaticsAreDrawnUnderButtonsWhateverTheOrder) {
  for (bool staticFirst : {true, false}) {
    RecordingWindow window;
    ASSERT_TRUE(Open(window, 100, 100));
    const RECT both = Rect(10, 10, 90, 90);
    if (staticFirst) window.paint.AddStatic(kRed, 1, false, both);
    window.paint.AddButton(2, kGreen, 0, 0, 0, both);
    if (!staticFirst) window.paint.AddStatic(kRed, 1, false, both);
    DibSurface surface(nullptr, 100, 100);
    Render(window.paint, surface);
    EXPECT_EQ(surface.Pixel(50, 50), kOpaqueGreen) << "static first: " << staticFirst;
    DestroyWindow(window.GetHwnd());
  }
}

TEST_F(PaintPixelsTest, ProgressFillShowsPositionPercentOfTheBar) {
  struct Row {
    int position;
    int redPixels;
  } rows[] = {{0, 0}, {50, 100}, {100, 200}, {150, 200}, {-20, 0}};
  RecordingWindow window;
  ASSERT_TRUE(Open(window, 240, 40));
  window.paint.fillBackground = false;
  CImageProgressbar* bar = window.paint.AddProgressbar(2285, Rect(20, 10, 220, 20), kGroove, kFill);
  DibSurface surface(nullptr, 240, 40);
  for (const Row& row : rows) {
    bar->position = row.position;
    Render(window.paint, surface);
    EXPECT_EQ(CountInRow(surface, 15, 0, 240, kOpaqueRed), row.redPixels) << row.position;
    EXPECT_EQ(CountInRow(surface, 15, 20, 20 + row.redPixels, kOpaqueRed), row.redPixels)
        << "fill starts at the bar's left edge";
    if (row.redPixels < 200) {
      EXPECT_EQ(surface.Pixel(200, 15), kOpaqueGrey) << "groove beyond the fill";
    }
    EXPECT_EQ(surface.Pixel(10, 15), 0u) << "nothing outside the bar";
  }
}

// Counts its draws; pushed straight into the container's list.
class CountingButton : public CImageButton {
 public:
  CountingButton(HWND owner, int id, const RECT& r) : CImageButton(owner, id, r, L"") {}
  void Draw(Gdiplus::Graphics& g, int x, int y, bool pressed, const RECT& r) override {
    ++draws;
    CImageButton::Draw(g, x, y, pressed, r);
  }
  int draws = 0;
};

TEST_F(PaintPixelsTest, PaintDrawsAndCopiesOnlyWhatMeetsTheUpdateRectangle) {
  RecordingWindow window;
  HWND hwnd = Open(window, 200, 100, 50, 50, WS_POPUP | WS_VISIBLE);
  ASSERT_TRUE(hwnd);
  auto left = std::make_unique<CountingButton>(hwnd, 1, Rect(10, 10, 60, 60));
  auto right = std::make_unique<CountingButton>(hwnd, 2, Rect(110, 10, 160, 60));
  left->SetImages(kGreen, 0, 0, 0);
  right->SetImages(kBlue, 0, 0, 0);
  CountingButton* a = left.get();
  CountingButton* b = right.get();
  window.paint.buttons.push_back(std::move(left));
  window.paint.buttons.push_back(std::move(right));
  UpdateWindow(hwnd);
  a->draws = b->draws = 0;

  // The real WM_PAINT path of the window.
  InvalidateRect(hwnd, &a->rect, TRUE);
  UpdateWindow(hwnd);
  EXPECT_EQ(a->draws, 1);
  EXPECT_EQ(b->draws, 0);

  // The same work on a target whose pixels can be read back.
  DibSurface target(nullptr, 200, 100);
  target.Fill(0xFFFF00FF);
  const RECT dirty = Rect(0, 0, 80, 100);
  window.paint.PaintTo(target.Dc(), Rect(0, 0, 200, 100), dirty);
  EXPECT_EQ(a->draws, 2);
  EXPECT_EQ(b->draws, 0);
  EXPECT_EQ(target.Pixel(30, 30) & 0xFFFFFF, 0x00FF00u) << "inside the update rectangle";
  EXPECT_EQ(target.Pixel(79, 99) & 0xFFFFFF, 0xFAFAFAu) << "background inside it";
  EXPECT_EQ(target.Pixel(80, 30), 0xFFFF00FFu) << "outside it nothing is copied";
  EXPECT_EQ(target.Pixel(130, 30), 0xFFFF00FFu);
  DestroyWindow(hwnd);
}

}  // namespace
