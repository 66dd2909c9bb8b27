#include "ImageProgressbar.h"

#include "DrawingStyle.h"
#include "ImageStatic.h"
#include "LayoutRules.h"
#include "SkinImage.h"

namespace {

int NaturalWidth(const ImagePtr& image) {
  return image ? static_cast<int>(image->GetWidth()) : 0;
}

int CentredTop(const RECT& r, Gdiplus::Image* image) {
  return r.top + (r.bottom - r.top - static_cast<int>(image->GetHeight())) / 2;
}

void DrawNatural(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int x, const RECT& r) {
  graphics.DrawImage(image, x, CentredTop(r, image), static_cast<INT>(image->GetWidth()),
                     static_cast<INT>(image->GetHeight()));
}

}  // namespace

CImageProgressbar::CImageProgressbar(HWND ownerWindow, int barId, const RECT& bounds)
    : owner(ownerWindow), rect(bounds), id(barId) {}

void CImageProgressbar::SetBounds(int left, int top, int right, int bottom) {
  rect = {left, top, right, bottom};
}

void CImageProgressbar::SetImages(int backgroundId, int fillId) {
  backgroundImage = LoadPngImage(backgroundId);
  leftCapImage.reset();
  fillImage = LoadPngImage(fillId);
  rightCapImage.reset();
}

void CImageProgressbar::Draw(Gdiplus::Graphics& graphics, int, int, bool, const RECT& given) {
  if (!visible) return;
  const RECT r = given.right - given.left != 0 ? given : rect;
  if (backgroundImage) graphics.DrawImage(backgroundImage.get(), ToGdi(r));
  int x = r.left + leftMargin;
  const int available = r.right - r.left - leftMargin - rightMargin - NaturalWidth(leftCapImage) -
                        NaturalWidth(rightCapImage);
  if (leftCapImage) {
    DrawNatural(graphics, leftCapImage.get(), x, r);
    x += NaturalWidth(leftCapImage);
  }
  int fill = 0;
  if (fillImage) {
    fill = ProgressFillWidth(position, available);
    const int height = static_cast<int>(fillImage->GetHeight());
    if (fill > 0) {
      DrawEdgeSafe(graphics, fillImage.get(), {x, CentredTop(r, fillImage.get()), fill, height},
                   fill, height);
    }
  }
  if (rightCapImage) DrawNatural(graphics, rightCapImage.get(), x + fill, r);
}
