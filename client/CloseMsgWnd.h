#pragma once
#include "ImageDialog.h"

// The close confirmation: a small picture asking whether to close, with a
// yes and a no button. One is open at a time per object.
class CloseMsgWnd : public CImageDialog {
 public:
  static constexpr int kWidth = 295;
  static constexpr int kHeight = 190;
  static constexpr int kYesId = 1001;
  static constexpr int kNoId = 1002;
  // AskClose's answer while a confirmation is already open.
  static constexpr int kAlreadyAsking = 0;

  CloseMsgWnd();
  ~CloseMsgWnd() override = default;

  // 1 confirmed, 2 declined (or closed otherwise), 0 when already open.
  [[nodiscard]] int AskClose(HWND owner);

  void OnCreate(CREATESTRUCTW* create) override;
  bool OnButtonClick(CImageButton* button) override;
};
