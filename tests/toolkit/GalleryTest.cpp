#include <gtest/gtest.h>

#include "SkinImage.h"
#include "ToolkitTestSupport.h"
#include "client_resources.h"

using namespace toolkittest;

namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 330;

class GalleryTest : public WindowTest {
 protected:
  // Renders the window as it is now and keeps the cell's pixels in the gallery.
  void Keep(CImagePaint& paint, const RECT& cell) {
    Render(paint, frame_);
    BitBlt(gallery_.Dc(), cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top,
           frame_.Dc(), cell.left, cell.top, SRCCOPY);
  }

  static void Label(CImagePaint& paint, int id, const RECT& r, const wchar_t* text) {
    CImageStatic* s = paint.AddStatic(0, id, false, r);
    CopyCaption(s->text, text);
  }

  bool SameCell(const RECT& a, const RECT& b) const {
    for (int y = 0; y < a.bottom - a.top; ++y) {
      for (int x = 0; x < a.right - a.left; ++x) {
        if (gallery_.Pixel(a.left + x, a.top + y) != gallery_.Pixel(b.left + x, b.top + y)) {
          return false;
        }
      }
    }
    return true;
  }

  DibSurface frame_{nullptr, kWidth, kHeight};
  DibSurface gallery_{nullptr, kWidth, kHeight};
};

TEST_F(GalleryTest, EveryElementKindAndLook) {
  RecordingWindow w;
  HWND hwnd = Open(w, kWidth, kHeight, 40, 40, WS_POPUP | WS_VISIBLE);
  ASSERT_TRUE(hwnd);
  CImagePaint& p = w.paint;
  p.SetBackgroundColor(0xFFF4F1EA);

  // Title strip and caption band.
  CImageStatic* title = p.AddStatic(0, 500, false, Rect(0, 0, kWidth, 25));
  title->backgroundBrush.reset(new Gdiplus::SolidBrush(Gdiplus::Color(0xFFFEBD3C)));
  title->textBrush.reset(new Gdiplus::SolidBrush(Gdiplus::Color(0xFFFFFFFF)));
  title->textAlign = 0;
  title->textLeftInset = 7;
  CopyCaption(title->text, L"\u5143\u4EF6\u4E00\u89C8 elements");
  p.AddStatic(IDP_CAPTION_BACK, 501, true, Rect(0, 290, kWidth, 315));
  p.AddStatic(IDP_CAPTION_ICON, 502, false, Rect(5, 294, 21, 310));

  // Row of looks: the same caption button in each look.
  const wchar_t* looks[] = {L"normal", L"hover", L"pressed", L"checked", L"toggled", L"disabled"};
  RECT cells[6];
  for (int i = 0; i < 6; ++i) {
    cells[i] = Rect(20 + i * 85, 40, 20 + i * 85 + 25, 65);
    CImageButton* b =
        p.AddButton(1 + i, IDP_CAPTION_CLOSE, IDP_CAPTION_CLOSE_HOVER, IDP_CAPTION_CLOSE_PRESSED, 0,
                    cells[i]);
    if (i == 4) b->SetImages(kRed, kGreen, kBlue, kYellow);
    Label(p, 510 + i, Rect(cells[i].left - 20, 68, cells[i].left + 45, 84), looks[i]);
  }
  p.FindButton(4)->checked = true;
  p.FindButton(5)->SetToggled(true);
  p.FindButton(6)->disabled = true;

  // Strips, link, captioned button with border and fill, icon button.
  p.AddButton(11, 0, 0, 0, 0, Rect(20, 100, 65, 148))->SetStripImage(IDP_LAUNCHER_CLOSE);
  p.AddButton(12, 0, 0, 0, 0, Rect(75, 100, 120, 148))->SetStripImage(IDP_LAUNCHER_CLOSE);
  p.AddButton(13, 0, 0, 0, 0, Rect(130, 110, 201, 131))->SetStripImage(IDP_LAUNCHER_LINK_SITE);
  CImageButton* link = p.AddButton(14, 0, 0, 0, 0, Rect(215, 110, 300, 131));
  CopyCaption(link->text, L"\u5BA2\u670D\u4E2D\u5FC3");
  link->kind = 2;
  link->SetTextColors(0xFF1F4E9E, 0xFFD2401C, 0xFF8A1F0A);
  CImageButton* framed = p.AddButton(15, 0, 0, 0, 0, Rect(315, 105, 415, 135));
  CopyCaption(framed->text, L"\u786E\u5B9A OK");
  framed->borderPens[0].reset(new Gdiplus::Pen(Gdiplus::Color(0xFF7A5C2E), 1.0f));
  framed->backgroundBrushes[0].reset(new Gdiplus::SolidBrush(Gdiplus::Color(0xFFFFE7B0)));
  framed->backgroundBrushes[1].reset(new Gdiplus::SolidBrush(Gdiplus::Color(0xFFFFD27A)));
  CImageButton* iconic = p.AddButton(16, IDP_CONFIRM_NO, IDP_CONFIRM_NO_HOVER, 0, 0, Rect(430, 102, 498, 137));
  iconic->iconEnabled = true;
  iconic->icon = LoadPngImage(IDP_CAPTION_ICON);
  iconic->iconRect = Rect(4, 9, 20, 25);
  const RECT hoverCells[] = {Rect(75, 100, 120, 148), Rect(215, 110, 300, 131),
                             Rect(315, 105, 415, 135)};
  Label(p, 520, Rect(0, 150, 140, 166), L"strip: normal / hover");
  Label(p, 521, Rect(130, 150, 420, 166), L"link, caption with border and fill");

  // Progress at 0, 50 and 100 %.
  const int positions[] = {0, 50, 100};
  for (int i = 0; i < 3; ++i) {
    CImageProgressbar* bar =
        p.AddProgressbar(2285 + i, Rect(20 + i * 180, 190, 180 + i * 180, 200), kGroove, kFill);
    bar->position = positions[i];
    const wchar_t* names[] = {L"0 %", L"50 %", L"100 %"};
    Label(p, 530 + i, Rect(20 + i * 180, 205, 180 + i * 180, 221), names[i]);
  }
  p.AddStatic(IDP_CONFIRM_YES, 540, false, Rect(20, 235, 88, 270));
  Label(p, 541, Rect(100, 235, 300, 270), L"\u9759\u6001\u56FE\u7247 static");

  // Normal picture, then each look driven through real mouse messages.
  Keep(p, Rect(0, 0, kWidth, kHeight));
  auto at = [](const RECT& r) { return Point((r.left + r.right) / 2, (r.top + r.bottom) / 2); };
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, at(cells[1]));
  Keep(p, cells[1]);
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, at(cells[2]));
  SendMessageW(hwnd, WM_LBUTTONDOWN, 0, at(cells[2]));
  Keep(p, cells[2]);
  SendMessageW(hwnd, WM_LBUTTONUP, 0, Point(5, 300));
  for (const RECT& r : hoverCells) {
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, at(r));
    Keep(p, r);
  }
  SavePng(gallery_, L"toolkit_gallery.png");

  EXPECT_FALSE(SameCell(cells[0], cells[1])) << "hover differs from normal";
  EXPECT_FALSE(SameCell(cells[1], cells[2])) << "pressed differs from hover";
  EXPECT_TRUE(SameCell(cells[2], cells[3])) << "checked is the pressed look";
  EXPECT_TRUE(SameCell(cells[0], cells[5])) << "disabled keeps its looks";
  EXPECT_EQ(gallery_.Pixel(20 + 4 * 85 + 12, 52), kOpaqueYellow) << "toggled shows its fourth image";
  EXPECT_EQ(CountInRow(gallery_, 195, 200, 360, kOpaqueRed), 80) << "50 % of 160 pixels";
  DestroyWindow(hwnd);
}

}  // namespace
