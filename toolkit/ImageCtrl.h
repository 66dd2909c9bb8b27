#pragma once
#include <memory>

#include "GdiOwners.h"
#include "ImagePaint.h"
#include "ShadowCtrl.h"
#include "WindowCtrl.h"

// A borderless skinned top-level window: embeds the element container, adds
// resize bands, minimum, fixed and maximized sizes, a corner-cut region, a
// drop shadow that follows it, and window icons from the resources.
class CImageCtrl : public CWindowCtrl {
 public:
  CImageCtrl();
  ~CImageCtrl() override;

  LRESULT MessageHook(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnShowWindow(WPARAM shown, LPARAM status) override;

  // Each returns true to let the container go on with its default action.
  virtual bool OnButtonDown(CImageButton* button);
  virtual bool OnButtonClick(CImageButton* button);
  virtual bool OnButtonHover(CImageButton* button);
  virtual bool OnButtonRightDown(CImageButton* button);
  virtual bool OnButtonRightClick(CImageButton* button);
  virtual void OnPaintBackground(Gdiplus::Graphics& graphics);
  virtual void OnPaintOverlay(Gdiplus::Graphics& graphics);

  // The image of icon group 128 that best fits size by size pixels.
  bool LoadIconResource(bool big, int size);
  // The window keeps its own copy; the caller keeps ownership of icon.
  void SetIcon(HICON icon, bool big);

  CImagePaint paint;
  int minTrackWidth = 0;
  int minTrackHeight = 0;
  int fixedWidth = 0;
  int fixedHeight = 0;
  bool resizable = false;
  int gripHeight = 3;
  int gripWidth = 3;
  bool roundCorners = false;
  std::unique_ptr<CShadowCtrl> shadow;

  [[nodiscard]] HICON SmallIcon() const { return smallIcon_.Get(); }
  [[nodiscard]] HICON BigIcon() const { return bigIcon_.Get(); }

 private:
  void BindHooks();
  void FollowWithShadow(bool redraw);
  void ApplyRegion();
  void LimitSize(WINDOWPOS* pos) const;
  void FillMinMaxInfo(MINMAXINFO* info) const;
  [[nodiscard]] LRESULT HitTest(LPARAM lParam) const;

  UniqueIcon smallIcon_;
  UniqueIcon bigIcon_;
};
