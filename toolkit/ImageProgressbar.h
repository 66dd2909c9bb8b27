#pragma once
#include <cstdint>

#include "GdiOwners.h"

// A groove stretched over the bar, end caps, and a fill revealed from the left.
class CImageProgressbar {
 public:
  CImageProgressbar(HWND owner, int id, const RECT& rect);
  virtual ~CImageProgressbar() = default;
  CImageProgressbar(const CImageProgressbar&) = delete;
  CImageProgressbar& operator=(const CImageProgressbar&) = delete;

  // Only the rectangle is used; an empty one (width 0) means the bar's own.
  virtual void Draw(Gdiplus::Graphics& graphics, int mouseX, int mouseY, bool leftPressed,
                    const RECT& rect);
  virtual void SetBounds(int left, int top, int right, int bottom);
  void SetImages(int backgroundId, int fillId);

  HWND owner;
  RECT rect;
  int id;
  std::int64_t position = 0;
  int leftMargin = 0;
  int rightMargin = 0;
  ImagePtr backgroundImage;
  ImagePtr leftCapImage;
  ImagePtr fillImage;
  ImagePtr rightCapImage;
  bool visible = true;
};
