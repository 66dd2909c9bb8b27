#pragma once
#include "GdiOwners.h"
#include "WindowCtrl.h"

// A one-line tooltip shown next to the pointer half a second after SetText.
class CImageTipCtrl : public CWindowCtrl {
 public:
  static constexpr UINT_PTR kShowTimer = 1100;
  static constexpr UINT kShowDelayMs = 500;
  static constexpr int kPointerOffset = 15;
  static constexpr int kTextCapacity = 260;

  CImageTipCtrl();
  ~CImageTipCtrl() override = default;

  LRESULT MessageHook(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnTimer(UINT_PTR id) override;

  // The same text while shown changes nothing; an empty text hides the tip.
  void SetText(const wchar_t* newText);
  // Window size for text: measured box plus 5 by 4 pixels.
  [[nodiscard]] SIZE MeasureTip();
  // The tip's picture on any DC.
  void RenderTo(HDC dc, const RECT& client);

  wchar_t text[kTextCapacity] = {};
  FontPtr font;
  SolidBrushPtr backgroundBrush;
  SolidBrushPtr textBrush;
  PenPtr borderPen;

 private:
  void Paint();
};
