#include "ImageStatic.h"

CImageStatic::CImageStatic()
    : textBrush(new Gdiplus::SolidBrush(Gdiplus::Color(0xFF000000))),
      defaultFont(MakeDefaultFont()) {}

void DrawEdgeSafe(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const Gdiplus::Rect& dest,
                  int sourceWidth, int sourceHeight) {
  Gdiplus::ImageAttributes attributes;
  attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY, Gdiplus::Color(0xFF000000));
  graphics.DrawImage(image, dest, 0, 0, sourceWidth, sourceHeight, Gdiplus::UnitPixel,
                     &attributes);
}

void CImageStatic::Draw(Gdiplus::Graphics& graphics, const RECT& given) {
  if (!visible) return;
  const RECT r = given.right - given.left != 0 ? given : rect;
  const INT width = r.right - r.left;
  const INT height = r.bottom - r.top;
  if (backgroundBrush) {
    graphics.FillRectangle(backgroundBrush.get(), static_cast<INT>(r.left - 1),
                           static_cast<INT>(r.top - 1), width + 1, height + 1);
  }
  if (image) {
    if (edgeSafeStretch) {
      DrawEdgeSafe(graphics, image.get(), ToGdi(r), static_cast<int>(image->GetWidth()),
                   static_cast<int>(image->GetHeight()));
    } else {
      graphics.DrawImage(image.get(), ToGdi(r));
    }
  }
  if (text[0] != L'\0' && textBrush) {
    const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(r.left + textLeftInset),
                                static_cast<Gdiplus::REAL>(r.top),
                                static_cast<Gdiplus::REAL>(width),
                                static_cast<Gdiplus::REAL>(height));
    Gdiplus::StringFormat format;
    SetupCaptionFormat(format, textAlign);
    graphics.DrawString(text, -1, customFont ? customFont : defaultFont.get(), layout, &format,
                        textBrush.get());
  }
}
