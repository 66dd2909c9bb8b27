#pragma once
#include "DibSurface.h"
#include "GdiOwners.h"
#include "ImagePaint.h"
#include "WindowCtrl.h"

// A layered popup drawing a soft grey outline around another window; placed
// around it, grown by shadowSize on each side.
class CShadowCtrl : public CWindowCtrl {
 public:
  CShadowCtrl();
  ~CShadowCtrl() override = default;

  void OnCreate(CREATESTRUCTW* create) override;
  void OnDestroy() override;
  void OnShowWindow(WPARAM shown, LPARAM status) override;
  virtual void Update(BYTE constantAlpha);

  // Creates the popup at (x, y) with zero size, unowned.
  HWND CreatePopup(int x, int y);
  void SetColors(Gdiplus::ARGB outer, Gdiplus::ARGB middle, Gdiplus::ARGB inner);
  // Draws the outlines for a width by height window into surface.
  void Render(DibSurface& surface);

  UpdateLayeredWindowFn updateLayeredWindow = nullptr;
  int shadowSize = 6;
  int cornerRadius = 3;
  PenPtr outerPen;
  PenPtr middlePen;
  PenPtr innerPen;
  Gdiplus::ARGB outerColor = 0x0F8A8A8A;
  Gdiplus::ARGB middleColor = 0x328A8A8A;
  Gdiplus::ARGB innerColor = 0x648A8A8A;

 private:
  void MakePens();
};
