#pragma once
#include "ImageCtrl.h"

// A skinned window that runs modally: centred on the work area with a drop
// shadow, pumping its own loop until the window is gone.
class CImageDialog : public CImageCtrl {
 public:
  static constexpr int kResultOk = 1;
  static constexpr int kResultCancel = 2;

  CImageDialog();
  ~CImageDialog() override = default;

  LRESULT MessageHook(UINT message, WPARAM wParam, LPARAM lParam) override;

  // -1 when the window exists already or cannot be made; else result once it ends.
  int ShowModal();
  // False on a thread other than the owning application's, or when already running.
  bool RunModalLoop();

  bool modalRunning = false;
  int result = kResultCancel;
};
