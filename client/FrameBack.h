#pragma once
#include "CloseMsgWnd.h"
#include "GdiOwners.h"
#include "ImagePaint.h"
#include "WindowCtrl.h"

class CFrameGame;

// The border window: the launcher picture carrying the login panel, and
// after the switch to game mode a soft grey outline around the frame.
class CFrameBack : public CWindowCtrl {
 public:
  CFrameBack();
  ~CFrameBack() override = default;

  LRESULT MessageHook(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCreate(CREATESTRUCTW* create) override;
  void OnDestroy() override;
  void OnMove(int x, int y) override;
  void OnShowWindow(WPARAM shown, LPARAM status) override;

  // Drops the picture and buttons for good; from now on the frame leads.
  void SwitchToBorderMode();
  void SetOwnerFrame(CFrameGame* frame) { ownerFrame_ = frame; }
  [[nodiscard]] bool BorderMode() const { return borderMode_; }

  int borderSize = 6;
  int cornerRadius = 3;
  CImagePaint paint;

 private:
  bool OnLauncherButton(CImageButton* button);
  void PaintBorder(Gdiplus::Graphics& graphics);

  PenPtr pens_[3];
  Gdiplus::ARGB colors_[3] = {0x0F8A8A8A, 0x328A8A8A, 0x648A8A8A};
  CFrameGame* ownerFrame_ = nullptr;
  bool borderMode_ = false;
  CloseMsgWnd confirm_;
};
