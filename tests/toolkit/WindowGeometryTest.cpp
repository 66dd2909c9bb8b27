#include <gtest/gtest.h>

#include "ToolkitTestSupport.h"

using namespace toolkittest;

namespace {

class WindowGeometryTest : public WindowTest {
 protected:
  static SIZE WindowSize(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
  }
};

TEST_F(WindowGeometryTest, AnchoredElementsFollowTheRightEdge) {
  RecordingWindow w;
  HWND hwnd = Open(w, 800, 300);
  ASSERT_TRUE(hwnd);
  CImageButton* b = w.paint.AddButton(5, kRed, 0, 0, 0, Rect(700, 10, 775, 40));
  b->anchorRight = 25;
  CImageStatic* band = w.paint.AddStatic(kGreen, 6, true, Rect(0, 0, 800, 25));
  band->anchorRight = 0;
  band->fixedLeft = 0;
  CImageStatic* free = w.paint.AddStatic(kBlue, 7, false, Rect(10, 50, 60, 80));

  MoveWindow(hwnd, 50, 50, 1000, 300, FALSE);
  EXPECT_EQ(b->rect.left, 900);
  EXPECT_EQ(b->rect.right, 975);
  EXPECT_EQ(band->rect.left, 0);
  EXPECT_EQ(band->rect.right, 1000);
  EXPECT_EQ(free->rect.left, 10);
  EXPECT_EQ(free->rect.right, 60);
  DestroyWindow(hwnd);
}

TEST_F(WindowGeometryTest, ResizeBandsAreHitTestedOnlyWhenResizable) {
  RecordingWindow w;
  HWND hwnd = Open(w, 400, 300, 100, 100);
  ASSERT_TRUE(hwnd);
  struct Row {
    bool resizable;
    int x, y;
    LRESULT expected;
  } rows[] = {
      {true, 2, 2, HTTOPLEFT},       {true, 3, 3, HTCLIENT},      {true, 397, 297, HTBOTTOMRIGHT},
      {true, 2, 297, HTBOTTOMLEFT},  {true, 398, 2, HTTOPRIGHT},  {true, 200, 298, HTBOTTOM},
      {true, 200, 150, HTCLIENT},    {false, 2, 2, HTCLIENT},
  };
  for (const Row& row : rows) {
    w.resizable = row.resizable;
    EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, Point(100 + row.x, 100 + row.y)), row.expected)
        << row.x << "," << row.y << " resizable " << row.resizable;
  }
  DestroyWindow(hwnd);
}

TEST_F(WindowGeometryTest, FixedAndMinimumSizesHold) {
  struct Row {
    const char* name;
    int fixedW, fixedH, minW, minH;
    int askW, askH;
    LONG expectW, expectH;
  } rows[] = {
      {"fixed wins over bigger", 600, 400, 0, 0, 1000, 700, 600, 400},
      {"fixed wins over smaller", 600, 400, 0, 0, 100, 50, 600, 400},
      {"minimum raises", 0, 0, 500, 300, 100, 50, 500, 300},
      {"minimum needs both", 0, 0, 500, 0, 100, 50, 100, 50},
      {"free", 0, 0, 0, 0, 321, 123, 321, 123},
  };
  for (const Row& row : rows) {
    RecordingWindow w;
    w.fixedWidth = row.fixedW;
    w.fixedHeight = row.fixedH;
    w.minTrackWidth = row.minW;
    w.minTrackHeight = row.minH;
    HWND hwnd = Open(w, 200, 200);
    ASSERT_TRUE(hwnd);
    SetWindowPos(hwnd, nullptr, 0, 0, row.askW, row.askH, SWP_NOMOVE | SWP_NOZORDER);
    const SIZE size = WindowSize(hwnd);
    EXPECT_EQ(size.cx, row.expectW) << row.name;
    EXPECT_EQ(size.cy, row.expectH) << row.name;
    MINMAXINFO info = {};
    SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, row.minW) << row.name;
    DestroyWindow(hwnd);
  }
}

TEST_F(WindowGeometryTest, RoundCornersCutTheRestoredWindowOnly) {
  RecordingWindow w;
  w.roundCorners = true;
  HWND hwnd = Open(w, 200, 100);
  ASSERT_TRUE(hwnd);
  MoveWindow(hwnd, 50, 50, 200, 100, FALSE);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(hwnd, region), ERROR);
  struct Row {
    int x, y;
    bool inside;
  } cut[] = {{0, 0, false}, {1, 1, true}, {199, 0, false}, {100, 0, true}, {0, 99, false},
             {199, 99, false}, {100, 99, true}, {0, 50, true}};
  for (const Row& row : cut) {
    EXPECT_EQ(PtInRegion(region, row.x, row.y) != FALSE, row.inside) << row.x << "," << row.y;
  }
  ShowWindow(hwnd, SW_SHOWMAXIMIZED);
  RECT client = {};
  GetClientRect(hwnd, &client);
  ASSERT_NE(GetWindowRgn(hwnd, region), ERROR);
  RECT box = {};
  EXPECT_EQ(GetRgnBox(region, &box), SIMPLEREGION);
  EXPECT_TRUE(EqualRect(&box, &client));
  EXPECT_TRUE(PtInRegion(region, 0, 0));
  DeleteObject(region);
  DestroyWindow(hwnd);
}

TEST_F(WindowGeometryTest, StyleIsChangedAtCreation) {
  RecordingWindow w;
  HWND hwnd = Open(w, 100, 100, 0, 0, WS_POPUP | WS_CAPTION);
  ASSERT_TRUE(hwnd);
  const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, 0);
  EXPECT_EQ(style & WS_CLIPCHILDREN, WS_CLIPCHILDREN);
  EXPECT_EQ(style & WS_MAXIMIZEBOX, WS_MAXIMIZEBOX);
  EXPECT_EQ(w.paint.hwnd, hwnd);
  DestroyWindow(hwnd);
  EXPECT_EQ(w.paint.hwnd, nullptr);
}

TEST_F(WindowGeometryTest, IconCopiesStayValidAndAreTheWindowsOwn) {
  RecordingWindow w;
  HWND hwnd = Open(w, 100, 100);
  ASSERT_TRUE(hwnd);
  ASSERT_TRUE(w.LoadIconResource(true, 48));
  ASSERT_TRUE(w.LoadIconResource(false, 32));
  HICON big = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0));
  HICON small = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0));
  EXPECT_EQ(big, w.BigIcon());
  EXPECT_EQ(small, w.SmallIcon());
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(big, &info)) << "the loaded icon is gone, the copy lives on";
  BITMAP bm = {};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
  EXPECT_EQ(bm.bmWidth, 48);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  // A caller's icon stays the caller's.
  HICON own = CopyIcon(small);
  w.SetIcon(own, false);
  EXPECT_NE(w.SmallIcon(), own);
  EXPECT_TRUE(GetIconInfo(own, &info));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(own);
  DestroyWindow(hwnd);
  EXPECT_EQ(w.BigIcon(), nullptr);
  EXPECT_EQ(w.SmallIcon(), nullptr);
}

}  // namespace
