#include <gtest/gtest.h>

#include <thread>

#include "ImageDialog.h"
#include "ToolkitTestSupport.h"

using namespace toolkittest;

namespace {

constexpr UINT kAct = WM_APP + 7;

// A dialog whose creation queues what the test wants done inside its loop.
class ScriptedDialog : public CImageDialog {
 public:
  ScriptedDialog() { SetClassName(L"ScriptedDialog"); }
  void OnCreate(CREATESTRUCTW*) override {
    paint.AddButton(1001, kGreen, kBlue, 0, 0, Rect(20, 40, 80, 70));
    if (onCreate) onCreate(GetHwnd());
  }
  bool OnButtonClick(CImageButton* b) override {
    if (b->id != 1001) return true;
    result = kResultOk;
    DestroyWindow(GetHwnd());
    return false;
  }
  LRESULT MessageHook(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kAct && onAct) {
      onAct(*this);
      return 1;
    }
    return CImageDialog::MessageHook(message, wParam, lParam);
  }
  std::function<void(HWND)> onCreate;
  std::function<void(ScriptedDialog&)> onAct;
};

class DialogTest : public WindowTest {};

RECT WindowRect(HWND hwnd) {
  RECT r = {};
  GetWindowRect(hwnd, &r);
  return r;
}

TEST_F(DialogTest, OpensCentredWithItsShadowAndEndsWithTheButtonsResult) {
  ScriptedDialog d;
  d.minTrackWidth = 500;
  d.minTrackHeight = 300;
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const LONG x = (work.right - work.left - 500) / 2;
  const LONG y = (work.bottom - work.top - 300) / 2;
  RECT seen = {};
  RECT shadowSeen = {};
  bool shadowVisible = false;
  int again = 0;
  d.onCreate = [](HWND hwnd) { PostMessageW(hwnd, kAct, 0, 0); };
  d.onAct = [&](ScriptedDialog& self) {
    seen = WindowRect(self.GetHwnd());
    shadowSeen = WindowRect(self.shadow->GetHwnd());
    shadowVisible = IsWindowVisible(self.shadow->GetHwnd()) != FALSE;
    again = self.ShowModal();
    EXPECT_FALSE(self.RunModalLoop()) << "the loop runs already";
    // A real click on the confirming button, through the dialog's own loop.
    PostMessageW(self.GetHwnd(), WM_MOUSEMOVE, 0, Point(30, 50));
    PostMessageW(self.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(30, 50));
    PostMessageW(self.GetHwnd(), WM_LBUTTONUP, 0, Point(30, 50));
  };
  EXPECT_EQ(d.ShowModal(), CImageDialog::kResultOk);
  EXPECT_EQ(again, -1);
  EXPECT_EQ(seen.left, x);
  EXPECT_EQ(seen.top, y);
  EXPECT_EQ(seen.right - seen.left, 500);
  EXPECT_EQ(seen.bottom - seen.top, 300);
  EXPECT_EQ(shadowSeen.left, x - 6);
  EXPECT_EQ(shadowSeen.top, y - 6);
  EXPECT_EQ(shadowSeen.right - shadowSeen.left, 512);
  EXPECT_EQ(shadowSeen.bottom - shadowSeen.top, 312);
  EXPECT_TRUE(shadowVisible);
  EXPECT_TRUE(d.roundCorners);
  EXPECT_TRUE(d.paint.captionDrag);
  EXPECT_FALSE(d.modalRunning);
  EXPECT_FALSE(IsWindow(d.GetHwnd()));
  EXPECT_FALSE(IsWindowVisible(d.shadow->GetHwnd())) << "the shadow goes with its dialog";
}

TEST_F(DialogTest, ClosingAnyOtherWayGivesCancelAndNoMinimumGivesZeroSize) {
  ScriptedDialog d;
  RECT seen = {1, 1, 1, 1};
  d.onCreate = [](HWND hwnd) { PostMessageW(hwnd, kAct, 0, 0); };
  d.onAct = [&](ScriptedDialog& self) {
    seen = WindowRect(self.GetHwnd());
    PostMessageW(self.GetHwnd(), WM_CLOSE, 0, 0);
  };
  EXPECT_EQ(d.ShowModal(), CImageDialog::kResultCancel);
  EXPECT_EQ(seen.left, 0);
  EXPECT_EQ(seen.top, 0);
  EXPECT_EQ(seen.right, 0);
  EXPECT_EQ(seen.bottom, 0);
}

TEST_F(DialogTest, HidingTheDialogHidesItsShadowAndShowingRedrawsIt) {
  ScriptedDialog d;
  d.minTrackWidth = 200;
  d.minTrackHeight = 100;
  bool hiddenWithIt = false;
  bool shownWithIt = false;
  d.onCreate = [](HWND hwnd) { PostMessageW(hwnd, kAct, 0, 0); };
  d.onAct = [&](ScriptedDialog& self) {
    ShowWindow(self.GetHwnd(), SW_HIDE);
    hiddenWithIt = !IsWindowVisible(self.shadow->GetHwnd());
    ShowWindow(self.GetHwnd(), SW_SHOW);
    shownWithIt = IsWindowVisible(self.shadow->GetHwnd()) != FALSE;
    self.result = 5;
    DestroyWindow(self.GetHwnd());
  };
  EXPECT_EQ(d.ShowModal(), 5);
  EXPECT_TRUE(hiddenWithIt);
  EXPECT_TRUE(shownWithIt);
}

TEST_F(DialogTest, ModalLoopRefusesAnotherThreadAndEndsOnQuit) {
  ScriptedDialog d;
  d.onCreate = [](HWND hwnd) { PostMessageW(hwnd, kAct, 0, 0); };
  bool otherThread = true;
  d.onAct = [&](ScriptedDialog& self) {
    std::thread([&] { otherThread = self.RunModalLoop(); }).join();
    PostQuitMessage(0);
  };
  EXPECT_EQ(d.ShowModal(), CImageDialog::kResultCancel);
  EXPECT_FALSE(otherThread);
  EXPECT_TRUE(IsWindow(d.GetHwnd())) << "a quit ends the loop, not the window";
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "quit not posted again";
  DestroyWindow(d.GetHwnd());
}

TEST(ShadowPixels, OutlinesRampTheAlphaFromOutsideIn) {
  GdiplusScope gdiplus;
  CShadowCtrl shadow;
  shadow.SetColors(shadow.outerColor, shadow.middleColor, shadow.innerColor);
  DibSurface surface(nullptr, 112, 62);
  shadow.Render(surface);
  struct Row {
    int x;
    int alpha;
  } rows[] = {{0, 15}, {1, 15}, {2, 50}, {3, 50}, {4, 100}, {6, 100}, {7, 100}, {12, 0}};
  for (const Row& row : rows) {
    EXPECT_NEAR(static_cast<int>(surface.Pixel(row.x, 31) >> 24), row.alpha, 4) << row.x;
  }
  EXPECT_NEAR(static_cast<int>(surface.Pixel(56, 0) >> 24), 15, 4) << "top edge";
}

}  // namespace
