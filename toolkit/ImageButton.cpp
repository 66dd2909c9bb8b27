#include "ImageButton.h"

#include <utility>

#include "LayoutRules.h"
#include "SkinImage.h"

namespace {

template <typename T>
T* LookSlot(const std::unique_ptr<T> (&slots)[3], CImageButton::Look look) {
  T* own = slots[look].get();
  return own ? own : slots[CImageButton::kNormal].get();
}

template <typename... Images>
Gdiplus::Image* FirstSet(Images&... images) {
  Gdiplus::Image* found = nullptr;
  ((found = found ? found : images.get()), ...);
  return found;
}

void DrawStretched(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const RECT& r) {
  if (image) graphics.DrawImage(image, ToGdi(r));
}

}  // namespace

CImageButton::CImageButton(HWND ownerWindow, int buttonId, const RECT& bounds,
                           const wchar_t* caption)
    : id(buttonId), rect(bounds), defaultFont(MakeDefaultFont()), owner(ownerWindow) {
  CopyCaption(text, caption);
  textBrushes[kNormal].reset(new Gdiplus::SolidBrush(Gdiplus::Color(0xFF000000)));
}

void CImageButton::SetBounds(int left, int top, int right, int bottom) {
  rect = {left, top, right, bottom};
}

bool CImageButton::HitTestPart(int, int) { return false; }

void CImageButton::PartRect(RECT* out) {
  if (out) *out = {};
}

CImageButton::Look CImageButton::LookAt(const RECT& r, int mouseX, int mouseY,
                                        bool leftPressed) const {
  if (checked) return kPressed;
  if (!PtInRect(&r, POINT{mouseX, mouseY})) return kNormal;
  return leftPressed ? kPressed : kHover;
}

void CImageButton::Draw(Gdiplus::Graphics& graphics, int mouseX, int mouseY, bool leftPressed,
                        const RECT& given) {
  if (!visible) return;
  const RECT r = given.right - given.left != 0 ? given : rect;
  const Look look = LookAt(r, mouseX, mouseY, leftPressed);

  Gdiplus::Pen* pen = LookSlot(borderPens, look);
  Gdiplus::Brush* fill = LookSlot(backgroundBrushes, look);
  Gdiplus::Brush* textBrush = LookSlot(textBrushes, look);
  Gdiplus::Image* image = look == kNormal    ? FirstSet(normalImage)
                          : look == kHover   ? FirstSet(hoverImage, normalImage)
                                             : FirstSet(pressedImage, hoverImage, normalImage);
  Gdiplus::Image* chosenIcon = look == kNormal ? FirstSet(icon) : FirstSet(iconHover, icon);

  if (fill) {
    Gdiplus::Rect area = ToGdi(r);
    if (pen) area.Inflate(-1, -1);
    graphics.FillRectangle(fill, area);
  }
  DrawImages(graphics, r, image);
  if (iconEnabled && chosenIcon) {
    graphics.DrawImage(chosenIcon, static_cast<INT>(r.left + iconRect.left),
                       static_cast<INT>(r.top + iconRect.top),
                       static_cast<INT>(iconRect.right - iconRect.left),
                       static_cast<INT>(iconRect.bottom - iconRect.top));
  }
  DrawText(graphics, r, textBrush);
  if (pen) DrawBorder(graphics, r, pen);
}

void CImageButton::DrawImages(Gdiplus::Graphics& graphics, const RECT& r,
                              Gdiplus::Image* chosen) {
  Gdiplus::Image* normal = normalImage.get();
  switch (drawMode) {
    case 3:
      if (chosen && imagePlacement.left != 0) {
        graphics.DrawImage(chosen, static_cast<INT>(r.left + imagePlacement.left),
                           static_cast<INT>(r.top + imagePlacement.top),
                           static_cast<INT>(chosen->GetWidth()),
                           static_cast<INT>(chosen->GetHeight()));
      } else {
        DrawStretched(graphics, chosen, r);
      }
      break;
    case 4:
      DrawStretched(graphics, chosen, r);
      if (normal != chosen) DrawStretched(graphics, normal, r);
      break;
    case 5:
      if (normal != chosen) DrawStretched(graphics, normal, r);
      DrawStretched(graphics, chosen, r);
      break;
    default:
      break;
  }
}

void CImageButton::DrawText(Gdiplus::Graphics& graphics, RECT r, Gdiplus::Brush* brush) {
  if (!showText || text[0] == L'\0') return;
  if (iconEnabled && icon) r.left += iconRect.right - 1;
  r.left += textInsets.left;
  r.top += textInsets.top;
  r.right -= textInsets.right;
  r.bottom -= textInsets.bottom + 1;
  const TextBand band = CaptionBand(r.bottom - r.top, maxTextHeight);
  const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(r.left),
                              static_cast<Gdiplus::REAL>(r.top + band.offset),
                              static_cast<Gdiplus::REAL>(r.right - r.left),
                              static_cast<Gdiplus::REAL>(band.height));
  Gdiplus::StringFormat format;
  SetupCaptionFormat(format, textAlign);
  Gdiplus::Font* font = customFont ? customFont : defaultFont.get();
  if (brush) graphics.DrawString(text, -1, font, layout, &format, brush);
  if (kind != 2) return;
  Gdiplus::RectF measured;
  graphics.MeasureString(text, -1, font, layout, &format, &measured);
  const Span span = MeasuredTextSpan(r.left, r.right - r.left, measured.Width, textAlign);
  textBounds = {span.left, r.top + band.offset, span.right, r.top + band.offset + band.height};
}

void CImageButton::DrawBorder(Gdiplus::Graphics& graphics, const RECT& r, Gdiplus::Pen* pen) {
  const INT l = r.left;
  const INT t = r.top;
  const INT rt = r.right;
  const INT b = r.bottom;
  const Gdiplus::Point points[9] = {{l, t + 1},      {l + 1, t},      {rt - 2, t},
                                    {rt - 1, t + 1}, {rt - 1, b - 2}, {rt - 2, b - 1},
                                    {l + 1, b - 1},  {l, b - 2},      {l, t + 1}};
  graphics.DrawLines(pen, points, 9);
}

void CImageButton::SetImages(int normalId, int hoverId, int pressedId, int fourthId) {
  if (normalId == 0) return;
  normalImage = LoadPngImage(normalId);
  hoverImage = LoadPngImage(hoverId);
  pressedImage = LoadPngImage(pressedId);
  fourthImage = LoadPngImage(fourthId);
}

void CImageButton::SetStripImage(int imageId) {
  fourStateImages = false;
  stripImage = LoadPngImage(imageId);
  Gdiplus::Image* strip = stripImage.get();
  const int half = strip ? static_cast<int>(strip->GetWidth()) / 2 : 0;
  const int height = strip ? static_cast<int>(strip->GetHeight()) : 0;
  normalImage = CropImage(strip, 0, half, height);
  hoverImage = CropImage(strip, half, half, height);
}

void CImageButton::SetTextColors(Gdiplus::ARGB normal, Gdiplus::ARGB hover,
                                 Gdiplus::ARGB pressed) {
  const Gdiplus::ARGB colors[3] = {normal, hover, pressed};
  for (int look = 0; look < 3; ++look) {
    textBrushes[look].reset(colors[look] > 0x00FFFFFF
                                ? new Gdiplus::SolidBrush(Gdiplus::Color(colors[look]))
                                : nullptr);
  }
}

void CImageButton::SetToggled(bool on) {
  if (on == toggled) return;
  toggled = on;
  if (fourStateImages) {
    std::swap(normalImage, fourthImage);
    std::swap(hoverImage, pressedImage);
  } else {
    std::swap(normalImage, pressedImage);
  }
}
