#pragma once
#include <cstdint>

#include "DrawingStyle.h"
#include "GdiOwners.h"

// An image and/or caption that does not react to the mouse.
class CImageStatic {
 public:
  CImageStatic();
  virtual ~CImageStatic() = default;
  CImageStatic(const CImageStatic&) = delete;
  CImageStatic& operator=(const CImageStatic&) = delete;

  // An empty rect (width 0) means the static's own rect.
  void Draw(Gdiplus::Graphics& graphics, const RECT& rect);

  int anchorRight = -1;
  int anchorBottom = -1;
  int fixedLeft = -1;
  int fixedTop = -1;
  SolidBrushPtr textBrush;
  BrushPtr backgroundBrush;
  int textLeftInset = 0;
  bool edgeSafeStretch = false;
  RECT rect = {};
  ImagePtr image;
  int id = 0;
  wchar_t text[kTextCapacity] = {};
  FontPtr defaultFont;
  Gdiplus::Font* customFont = nullptr;  // borrowed from the caller
  bool visible = true;
  int textAlign = 1;
};

// Draws the whole image into dest without the half-transparent border that a
// plain stretch blends in from outside the image.
void DrawEdgeSafe(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const Gdiplus::Rect& dest,
                  int sourceWidth, int sourceHeight);
