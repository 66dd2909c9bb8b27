#include <gtest/gtest.h>

#include <vector>

#include "ToolkitTestSupport.h"

using namespace toolkittest;

namespace {

struct Step {
  UINT message;
  int x;
  int y;
};

constexpr UINT kMove = WM_MOUSEMOVE;
constexpr UINT kDown = WM_LBUTTONDOWN;
constexpr UINT kUp = WM_LBUTTONUP;

class MouseStateTest : public WindowTest {
 protected:
  // Buttons side by side in one row, each 50 by 30.
  void AddRow(RecordingWindow& w) {
    int left = 10;
    for (int id : {1, 2, 150, 99, 251}) {
      w.paint.AddButton(id, kRed, kGreen, kBlue, 0, Rect(left, 60, left + 50, 90));
      left += 60;
    }
  }

  static void Play(HWND hwnd, const std::vector<Step>& steps) {
    for (const Step& s : steps) SendMessageW(hwnd, s.message, 0, Point(s.x, s.y));
  }

  // Whether the container asked the system to drag the window.
  static bool DragPosted(HWND hwnd) {
    MSG msg;
    bool posted = false;
    while (PeekMessageW(&msg, hwnd, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE)) {
      posted = posted || (msg.wParam == HTCAPTION);
    }
    return posted;
  }
};

TEST_F(MouseStateTest, SequencesGiveHoverAndClicks) {
  struct Row {
    const char* name;
    std::vector<Step> steps;
    std::vector<int> clicks;
    int hoverAfter;  // 0: none
  } rows[] = {
      {"hover", {{kMove, 30, 70}}, {}, 1},
      {"press and release on it clicks", {{kMove, 30, 70}, {kDown, 30, 70}, {kUp, 31, 71}}, {1}, 1},
      {"moving off and releasing elsewhere cancels",
       {{kMove, 30, 70}, {kDown, 30, 70}, {kMove, 200, 200}, {kUp, 200, 200}},
       {},
       0},
      {"moving off and back before release clicks",
       {{kMove, 30, 70}, {kDown, 30, 70}, {kMove, 200, 200}, {kMove, 35, 75}, {kUp, 35, 75}},
       {1},
       1},
      {"held button keeps hover over another button",
       {{kMove, 30, 70}, {kDown, 30, 70}, {kMove, 90, 70}},
       {},
       1},
      {"released over another button neither clicks",
       {{kMove, 30, 70}, {kDown, 30, 70}, {kMove, 90, 70}, {kUp, 90, 70}},
       {},
       0},
      {"hover moves between buttons", {{kMove, 30, 70}, {kMove, 90, 70}}, {}, 2},
      {"decoration 150 is never hovered", {{kMove, 150, 70}, {kDown, 150, 70}, {kUp, 150, 70}}, {}, 0},
      {"99 is clickable", {{kMove, 210, 70}, {kDown, 210, 70}, {kUp, 210, 70}}, {99}, 99},
      {"251 is clickable", {{kMove, 270, 70}, {kDown, 270, 70}, {kUp, 270, 70}}, {251}, 251},
      {"press outside any button clicks nothing", {{kMove, 5, 200}, {kDown, 5, 200}, {kUp, 5, 200}}, {}, 0},
  };
  for (const Row& row : rows) {
    RecordingWindow w;
    HWND hwnd = Open(w, 400, 300);
    ASSERT_TRUE(hwnd);
    AddRow(w);
    Play(hwnd, row.steps);
    EXPECT_EQ(w.clicks, row.clicks) << row.name;
    EXPECT_EQ(w.paint.hover ? w.paint.hover->id : 0, row.hoverAfter) << row.name;
    DestroyWindow(hwnd);
  }
}

TEST_F(MouseStateTest, CaptionPressStartsADragInTheBandOrTheRect) {
  struct Row {
    const char* name;
    RECT captionRect;
    bool captionDrag;
    int x, y;
    bool drags;
  } rows[] = {
      {"empty rect, y 40", {}, true, 300, 40, true},
      {"empty rect, y 41", {}, true, 300, 41, false},
      {"empty rect, on a button in the band", {}, true, 30, 20, false},
      {"captionDrag off", {}, false, 300, 10, false},
      {"inside a caption rect", {0, 100, 400, 200}, true, 300, 150, true},
      {"outside a caption rect", {0, 100, 400, 200}, true, 300, 10, false},
  };
  for (const Row& row : rows) {
    RecordingWindow w;
    HWND hwnd = Open(w, 400, 300);
    ASSERT_TRUE(hwnd);
    w.paint.AddButton(1, kRed, 0, 0, 0, Rect(10, 10, 60, 30));
    w.paint.captionRect = row.captionRect;
    w.paint.captionDrag = row.captionDrag;
    Play(hwnd, {{kMove, row.x, row.y}, {kDown, row.x, row.y}});
    EXPECT_EQ(DragPosted(hwnd), row.drags) << row.name;
    Play(hwnd, {{kUp, row.x, row.y}});
    DestroyWindow(hwnd);
  }
}

TEST_F(MouseStateTest, DoubleClickInTheBandMaximizesAndRestores) {
  RecordingWindow w;
  HWND hwnd = Open(w, 400, 300);
  ASSERT_TRUE(hwnd);
  CImageButton* maximize = w.paint.AddButton(CImagePaint::kMaximizeId, kRed, 0, 0, 0, Rect(300, 0, 325, 25));
  CImageButton* restore = w.paint.AddButton(CImagePaint::kRestoreId, kRed, 0, 0, 0, Rect(300, 0, 325, 25));
  restore->visible = false;

  w.paint.captionDrag = false;
  SendMessageW(hwnd, WM_LBUTTONDBLCLK, 0, Point(200, 40));
  EXPECT_FALSE(IsZoomed(hwnd)) << "captionDrag off";

  w.paint.captionDrag = true;
  SendMessageW(hwnd, WM_LBUTTONDBLCLK, 0, Point(200, 41));
  EXPECT_FALSE(IsZoomed(hwnd)) << "below the band";
  SendMessageW(hwnd, WM_LBUTTONDBLCLK, 0, Point(200, 40));
  EXPECT_TRUE(IsZoomed(hwnd));
  EXPECT_FALSE(maximize->visible);
  EXPECT_TRUE(restore->visible);
  SendMessageW(hwnd, WM_LBUTTONDBLCLK, 0, Point(200, 40));
  EXPECT_FALSE(IsZoomed(hwnd));
  EXPECT_TRUE(maximize->visible);
  EXPECT_FALSE(restore->visible);
  DestroyWindow(hwnd);
}

TEST_F(MouseStateTest, BuiltInButtonsAndTheClickHook) {
  struct Row {
    const char* name;
    std::vector<int> ids;
    int clicked;
    bool hookAllows;
    bool disabled;
    bool alive;
    bool zoomed;
  } rows[] = {
      {"close destroys", {10}, 10, true, false, false, false},
      {"close vetoed by the hook", {10}, 10, false, false, true, false},
      {"disabled close does nothing", {10}, 10, true, true, true, false},
      {"maximize without restore does nothing", {30}, 30, true, false, true, false},
  };
  for (const Row& row : rows) {
    RecordingWindow w;
    HWND hwnd = Open(w, 400, 300);
    ASSERT_TRUE(hwnd);
    w.allowDefault = row.hookAllows;
    for (int id : row.ids) w.paint.AddButton(id, kRed, 0, 0, 0, Rect(100, 100, 150, 150));
    w.paint.FindButton(row.clicked)->disabled = row.disabled;
    Play(hwnd, {{kMove, 120, 120}, {kDown, 120, 120}, {kUp, 120, 120}});
    EXPECT_EQ(w.clicks, std::vector<int>{row.clicked}) << row.name;
    EXPECT_EQ(IsWindow(hwnd) != FALSE, row.alive) << row.name;
    if (row.alive) {
      EXPECT_EQ(IsZoomed(hwnd) != FALSE, row.zoomed) << row.name;
      EXPECT_FALSE(IsWindowVisible(hwnd)) << row.name;
      DestroyWindow(hwnd);
    }
  }
}

// A hook that ends the window must not leave the container touching freed elements.
TEST_F(MouseStateTest, AHookThatDestroysTheWindowEndsTheClick) {
  class Closing : public RecordingWindow {
   public:
    bool OnButtonClick(CImageButton*) override {
      DestroyWindow(GetHwnd());
      return true;
    }
  } w;
  HWND hwnd = Open(w, 400, 300);
  ASSERT_TRUE(hwnd);
  w.paint.AddButton(5, kRed, 0, 0, 0, Rect(100, 100, 150, 150));
  Play(hwnd, {{kMove, 120, 120}, {kDown, 120, 120}, {kUp, 120, 120}});
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_TRUE(w.paint.buttons.empty());
  EXPECT_EQ(w.paint.hover, nullptr);
}

}  // namespace
