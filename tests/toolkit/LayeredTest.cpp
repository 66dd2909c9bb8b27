#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "SkinImage.h"
#include "ToolkitTestSupport.h"
#include "client_resources.h"

using namespace toolkittest;

namespace {

// What the container last handed to the system, and how often.
struct LayeredRecord {
  int calls = 0;
  int width = 0;
  int height = 0;
  BYTE alpha = 0;
  std::vector<std::uint32_t> pixels;  // top-down

  [[nodiscard]] std::uint32_t At(int x, int y) const {
    return pixels.at(static_cast<std::size_t>(y) * width + x);
  }
};
LayeredRecord g_record;

BOOL WINAPI RecordingUpdate(HWND hwnd, HDC screen, POINT* dst, SIZE* size, HDC src, POINT* srcPt,
                            COLORREF key, BLENDFUNCTION* blend, DWORD flags) {
  ++g_record.calls;
  g_record.alpha = blend->SourceConstantAlpha;
  DIBSECTION dib = {};
  auto bitmap = static_cast<HBITMAP>(GetCurrentObject(src, OBJ_BITMAP));
  if (GetObjectW(bitmap, sizeof(dib), &dib) == sizeof(dib) && dib.dsBm.bmBits) {
    GdiFlush();
    g_record.width = dib.dsBm.bmWidth;
    g_record.height = dib.dsBm.bmHeight;
    g_record.pixels.resize(static_cast<std::size_t>(g_record.width) * g_record.height);
    const auto* bits = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
    for (int y = 0; y < g_record.height; ++y) {
      for (int x = 0; x < g_record.width; ++x) {
        g_record.pixels[static_cast<std::size_t>(y) * g_record.width + x] =
            bits[static_cast<std::size_t>(g_record.height - 1 - y) * g_record.width + x];
      }
    }
  }
  return UpdateLayeredWindow(hwnd, screen, dst, size, src, srcPt, key, blend, flags);
}

class LayeredTest : public WindowTest {
 protected:
  void SetUp() override { g_record = {}; }
};

TEST_F(LayeredTest, EnableLayeredRendersEverythingThroughTheLayeredPath) {
  RecordingWindow w;
  HWND hwnd = Open(w, 200, 100);
  ASSERT_TRUE(hwnd);
  w.paint.SetBackgroundColor(kOpaqueWhite);
  w.paint.AddButton(1, kGreen, kBlue, 0, 0, Rect(10, 10, 60, 60));
  CImageStatic* picture = w.paint.AddStatic(kRed, 2, false, Rect(100, 10, 150, 60));

  w.paint.EnableLayered();
  EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_TRUE(w.paint.layered);
  EXPECT_FALSE(w.paint.fillBackground);
  EXPECT_EQ(w.paint.alpha, 255);
  ASSERT_NE(w.paint.updateLayeredWindow, nullptr);
  w.paint.updateLayeredWindow = &RecordingUpdate;

  SendMessageW(hwnd, WM_MOUSEMOVE, 0, Point(30, 30));
  EXPECT_EQ(g_record.calls, 1) << "entering a button redraws once";
  ASSERT_EQ(g_record.width, 200);
  ASSERT_EQ(g_record.height, 100);
  EXPECT_EQ(g_record.alpha, 255);
  EXPECT_EQ(g_record.At(30, 30), kOpaqueBlue) << "hover look";
  EXPECT_EQ(g_record.At(125, 35), kOpaqueRed) << "the static";
  EXPECT_EQ(g_record.At(80, 80), 0u) << "no background fill";

  SendMessageW(hwnd, WM_MOUSEMOVE, 0, Point(80, 80));
  EXPECT_EQ(g_record.calls, 2) << "leaving it redraws the whole window again";
  EXPECT_EQ(g_record.At(30, 30), kOpaqueGreen);
  RECT dirty = {};
  EXPECT_FALSE(GetUpdateRect(hwnd, &dirty, FALSE)) << "nothing invalidated";

  // The kept background follows changes made straight to a static.
  picture->visible = false;
  w.paint.Redraw(picture->rect);
  EXPECT_EQ(g_record.At(125, 35), 0u);
  picture->visible = true;
  picture->image = LoadPngImage(kYellow);
  w.paint.Redraw(picture->rect);
  EXPECT_EQ(g_record.At(125, 35), kOpaqueYellow);

  const int before = g_record.calls;
  MoveWindow(hwnd, 0, 0, 300, 120, FALSE);
  EXPECT_GT(g_record.calls, before);
  EXPECT_EQ(g_record.width, 300);
  DestroyWindow(hwnd);
}

TEST_F(LayeredTest, NoBackgroundBrushWhenTheColourIsTransparent) {
  struct Row {
    Gdiplus::ARGB colour;
    bool brush;
  } rows[] = {{0x00FFFFFF, false}, {0x01000000, true}, {CImagePaint::kDefaultBackground, true}};
  for (const Row& row : rows) {
    RecordingWindow w;
    w.paint.backgroundColor = row.colour;
    HWND hwnd = Open(w, 50, 50);
    ASSERT_TRUE(hwnd);
    EXPECT_EQ(w.paint.backgroundBrush != nullptr, row.brush) << std::hex << row.colour;
    DestroyWindow(hwnd);
  }
}

TEST_F(LayeredTest, WithoutTheSystemFunctionTheFallbackRuns) {
  RecordingWindow w;
  HWND hwnd = Open(w, 50, 50);
  ASSERT_TRUE(hwnd);
  w.paint.EnableLayered();
  int fallbacks = 0;
  w.paint.onLayeredFallback = [&fallbacks] { ++fallbacks; };
  w.paint.updateLayeredWindow = nullptr;
  w.paint.Redraw(Rect(0, 0, 50, 50));
  EXPECT_EQ(fallbacks, 1);
  DestroyWindow(hwnd);
}

// The launcher: its hover path costs a few times one system update of a ready picture.
TEST_F(LayeredTest, LauncherHoverRenderIsCheap) {
  RecordingWindow w;
  HWND hwnd = Open(w, 1207, 670, 0, 0, WS_POPUP | WS_VISIBLE);
  ASSERT_TRUE(hwnd);
  w.paint.AddStatic(IDP_LAUNCHER_BACK, 1, false, Rect(0, 0, 1207, 670));
  int left = 900;
  for (int id : {IDP_LAUNCHER_LINK_SITE, IDP_LAUNCHER_LINK_TOPUP, IDP_LAUNCHER_LINK_FORUM,
                 IDP_LAUNCHER_LINK_SERVICE}) {
    w.paint.AddButton(id, 0, 0, 0, 0, Rect(left - 800, 600, left - 729, 621))->SetStripImage(id);
    left += 80;
  }
  w.paint.AddButton(20, 0, 0, 0, 0, Rect(1100, 0, 1145, 48))->SetStripImage(IDP_LAUNCHER_MIN);
  w.paint.AddButton(10, 0, 0, 0, 0, Rect(1150, 0, 1195, 48))->SetStripImage(IDP_LAUNCHER_CLOSE);
  w.paint.EnableLayered();

  using Clock = std::chrono::steady_clock;
  constexpr int kRounds = 20;
  auto start = Clock::now();
  for (int i = 0; i < kRounds; ++i) w.paint.UpdateLayered();
  const double render = std::chrono::duration<double, std::milli>(Clock::now() - start).count();

  DibSurface ready(nullptr, 1207, 670);
  ready.Fill(0xFF336699);
  RECT window = {};
  GetWindowRect(hwnd, &window);
  POINT dst = {window.left, window.top};
  SIZE size = {1207, 670};
  POINT src = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  WindowDc screen(nullptr);
  start = Clock::now();
  for (int i = 0; i < kRounds; ++i) {
    UpdateLayeredWindow(hwnd, screen.Get(), &dst, &size, ready.Dc(), &src, 0, &blend, ULW_ALPHA);
  }
  const double push = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  const double ratio = render / push;
  std::printf("UpdateLayered %.2f ms, UpdateLayeredWindow alone %.2f ms, ratio %.2f\n",
              render / kRounds, push / kRounds, ratio);
  RecordProperty("layered_ratio", std::to_string(ratio));
  EXPECT_LT(ratio, 5.0);
  DestroyWindow(hwnd);
}

}  // namespace
