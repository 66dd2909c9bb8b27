#pragma once
#include "ImagePaintEx.h"
#include "WindowCtrl.h"

// A window that embeds the list container, as CImageCtrl embeds CImagePaint.
class CImageCtrlEx : public CWindowCtrl {
 public:
  CImageCtrlEx();
  ~CImageCtrlEx() override = default;

  LRESULT MessageHook(UINT message, WPARAM wParam, LPARAM lParam) override;

  CImagePaintEx paint;
};
