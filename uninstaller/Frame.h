#pragma once
#include <memory>

#include "GdiOwners.h"
#include "ImageDialog.h"
#include "ProgressLink.h"
#include "UninstallPlan.h"

// The uninstall wizard: asks, then shows the worker's progress and hands the
// rest to the self-deleting batch file when the worker is done.
class CFrame : public CImageDialog {
 public:
  CFrame() = default;
  ~CFrame() override;

  LRESULT MessageHook(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCreate(CREATESTRUCTW* create) override;
  void OnDestroy() override;
  bool OnButtonClick(CImageButton* button) override;

 private:
  void AddElements(int width, const wchar_t* title);
  void ShowProgressView();
  void StartUninstall();
  void Finish();

  FontPtr titleFont_;
  CImageProgressbar* progressBar_ = nullptr;  // owned by the container
  UninstallPlan plan_;
  std::shared_ptr<ProgressLink> link_;
};
