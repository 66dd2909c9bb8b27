#include <gtest/gtest.h>

#include "ImageMenu.h"
#include "ImageTipCtrl.h"
#include "ToolkitTestSupport.h"

using namespace toolkittest;

namespace {

constexpr std::uint32_t kMenuBackground = 0xFFEDF3FA;

class MenuTest : public WindowTest {
 protected:
  // A menu of three 24-pixel rows, each with a caption button.
  static void AddRows(CImageMenu& menu) {
    for (int id : {1, 2, 3}) {
      CImageItem* row = menu.paint.AddItem(id);
      row->AddButton(id, Rect(1, 1, 94, 23), L"\u5237\u65B0", 0, 0, 0, 0);
    }
  }

  static RECT WindowRect(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    return r;
  }

  std::uint32_t RowColour(CImageMenu& menu, int y) {
    DibSurface surface(nullptr, CImageMenu::kWidth, 72);
    surface.Fill(0);
    menu.paint.RenderTo(surface.Dc(), Rect(0, 0, CImageMenu::kWidth, 72));
    return surface.Pixel(90, y);
  }
};

TEST_F(MenuTest, PopsUpAsHighAsItsVisibleRowsWithALightShadow) {
  CImageMenu menu;
  AddRows(menu);
  menu.paint.items[1]->visible = false;
  menu.Popup(300, 200);
  ASSERT_TRUE(menu.GetHwnd());
  const RECT r = WindowRect(menu.GetHwnd());
  EXPECT_EQ(r.left, 300);
  EXPECT_EQ(r.top, 200);
  EXPECT_EQ(r.right - r.left, 96);
  EXPECT_EQ(r.bottom - r.top, 48);
  EXPECT_TRUE(IsWindowVisible(menu.GetHwnd()));
  ASSERT_TRUE(menu.shadow);
  EXPECT_EQ(menu.shadow->innerColor, 0x649E9E9Eu);
  const RECT s = WindowRect(menu.shadow->GetHwnd());
  EXPECT_EQ(s.left, 294);
  EXPECT_EQ(s.right - s.left, 108);
  EXPECT_TRUE(IsWindowVisible(menu.shadow->GetHwnd()));
  EXPECT_TRUE(GetWindowLongPtrW(menu.GetHwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(menu.paint.GetItemRect(3).top, 24) << "the hidden row takes no space";
  DestroyWindow(menu.GetHwnd());
}

TEST_F(MenuTest, ClickingARowReportsItAndFillsIt) {
  struct Row {
    Gdiplus::ARGB selectedColor;
    std::uint32_t fill;
  } rows[] = {{0, 0xFF00FF00}, {0xFFFF0000, 0xFFFF0000}};
  for (const Row& row : rows) {
    CImageMenu menu;
    menu.paint.selectedColor = row.selectedColor;
    AddRows(menu);
    menu.Popup(100, 100);
    menu.paint.SetHoverColor(0xFF00FF00);
    std::vector<int> clicks;
    menu.paint.onItemClick = [&clicks](CImageItem* item) { clicks.push_back(item->id); };
    HWND hwnd = menu.GetHwnd();
    SendMessageW(hwnd, WM_LBUTTONUP, 0, Point(50, 30));
    EXPECT_EQ(clicks, std::vector<int>{2});
    EXPECT_EQ(RowColour(menu, 30), row.fill);
    EXPECT_EQ(RowColour(menu, 10), kMenuBackground);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, Point(50, 30));
    EXPECT_EQ(clicks, (std::vector<int>{2, 2})) << "a second click is a click too";
    SendMessageW(hwnd, WM_LBUTTONUP, 0, Point(50, 100));
    EXPECT_EQ(clicks.size(), 2u) << "below every row";
    DestroyWindow(hwnd);
  }
}

TEST_F(MenuTest, HoverMovesToTheNextRowOnTheFollowingMove) {
  CImageMenu menu;
  AddRows(menu);
  menu.Popup(100, 100);
  menu.paint.SetHoverColor(0xFF00FF00);
  HWND hwnd = menu.GetHwnd();
  struct Step {
    int y;
    int hoverAfter;
  } steps[] = {{10, 1}, {12, 1}, {30, 0}, {31, 2}, {100, 0}};
  for (const Step& step : steps) {
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, Point(50, step.y));
    EXPECT_EQ(menu.paint.hover ? menu.paint.hover->id : 0, step.hoverAfter) << step.y;
  }
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, Point(50, 31));
  EXPECT_EQ(RowColour(menu, 30), 0xFF00FF00u);
  SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(menu.paint.hover, nullptr);
  EXPECT_EQ(RowColour(menu, 30), kMenuBackground);
  DestroyWindow(hwnd);
}

TEST_F(MenuTest, AnchoredRowButtonEndsTenPixelsFromTheRight) {
  CImageMenu menu;
  CImageItem* row = menu.paint.AddItem(1);
  CImageButton* b = row->AddButton(7, Rect(60, 2, 80, 22), L"", kBlue, 0, 0, 0);
  b->anchorRight = 10;
  menu.Popup(100, 100);
  DibSurface surface(nullptr, 96, 24);
  menu.paint.RenderTo(surface.Dc(), Rect(0, 0, 96, 24));
  EXPECT_EQ(surface.Pixel(76, 12), kOpaqueBlue);
  EXPECT_EQ(surface.Pixel(87, 12), kMenuBackground);
  EXPECT_EQ(surface.Pixel(60, 12), kMenuBackground);
  SendMessageW(menu.GetHwnd(), WM_MOUSEMOVE, 0, Point(70, 12));
  EXPECT_EQ(row->hoverPart, b) << "hit-tested where it is drawn";
  DestroyWindow(menu.GetHwnd());
}

TEST_F(MenuTest, LosingActivationHidesUnlessThePointerIsOverTheAnchor) {
  RecordingWindow anchor;
  HWND anchorHwnd = Open(anchor, 200, 100, 600, 100, WS_POPUP | WS_VISIBLE);
  ASSERT_TRUE(anchorHwnd);
  CImageMenu menu;
  AddRows(menu);
  menu.anchorWindow = &anchor;
  menu.Popup(100, 100);
  EXPECT_FALSE(menu.keepRelated) << "reset when the menu window is made";
  menu.keepRelated = true;
  HWND hwnd = menu.GetHwnd();

  SetCursorPos(650, 150);
  SendMessageW(hwnd, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_TRUE(IsWindowVisible(hwnd)) << "pointer over the anchor";

  SetCursorPos(20, 600);
  SendMessageW(hwnd, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_FALSE(IsWindowVisible(menu.shadow->GetHwnd()));
  EXPECT_TRUE(IsWindowVisible(anchorHwnd)) << "kept with keepRelated";

  menu.Popup(100, 100);
  menu.keepRelated = false;
  SendMessageW(hwnd, WM_NCACTIVATE, FALSE, 0);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_FALSE(IsWindowVisible(anchorHwnd)) << "hidden together with the menu";
  DestroyWindow(hwnd);
  DestroyWindow(anchorHwnd);
}

TEST_F(MenuTest, TooltipShowsHalfASecondAfterNewTextNextToThePointer) {
  RecordingWindow owner;
  HWND ownerHwnd = Open(owner, 200, 100);
  CImageTipCtrl tip;
  HWND hwnd = tip.Create(0, nullptr, nullptr, WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, ownerHwnd);
  ASSERT_TRUE(hwnd);
  SetCursorPos(400, 300);
  auto visible = [hwnd] { return IsWindowVisible(hwnd) != FALSE; };

  const DWORD start = GetTickCount();
  tip.SetText(L"\u5BA2\u670D tip");
  ASSERT_TRUE(testsupport::PumpUntil(visible, 3000));
  EXPECT_GE(GetTickCount() - start, 450u);
  const RECT r = WindowRect(hwnd);
  EXPECT_EQ(r.left, 415);
  EXPECT_EQ(r.top, 315);
  EXPECT_GT(r.right - r.left, 5);
  EXPECT_GT(r.bottom - r.top, 4);

  tip.SetText(L"\u5BA2\u670D tip");
  EXPECT_TRUE(visible()) << "the same text leaves the tip alone";
  tip.SetText(L"other");
  EXPECT_FALSE(visible());
  EXPECT_TRUE(testsupport::PumpUntil(visible, 3000));
  tip.SetText(L"");
  EXPECT_FALSE(visible());
  testsupport::PumpFor(700);
  EXPECT_FALSE(visible()) << "empty text never shows";

  DibSurface surface(nullptr, 60, 20);
  tip.RenderTo(surface.Dc(), Rect(0, 0, 60, 20));
  EXPECT_EQ(surface.Pixel(0, 0) & 0xFFFFFF, 0x8A8A8Au) << "border";
  EXPECT_EQ(surface.Pixel(30, 2) & 0xFFFFFF, 0xFCFCFCu) << "background";
  DestroyWindow(hwnd);
  DestroyWindow(ownerHwnd);
}

}  // namespace
