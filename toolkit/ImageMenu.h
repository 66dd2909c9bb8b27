#pragma once
#include <memory>

#include "ImageCtrlEx.h"
#include "ShadowCtrl.h"

// A 96-pixel-wide popup list with a light drop shadow; hides itself when it
// loses activation unless the mouse is over its anchor window.
class CImageMenu : public CImageCtrlEx {
 public:
  static constexpr int kWidth = 96;

  CImageMenu();
  ~CImageMenu() override;

  LRESULT MessageHook(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCreate(CREATESTRUCTW* create) override;
  void OnDestroy() override;
  void OnMove(int x, int y) override;
  void OnShowWindow(WPARAM shown, LPARAM status) override;

  // Shows the menu with its top-left corner at the screen point (x, y).
  void Popup(int x, int y);

  CWindowCtrl* relatedWindow = nullptr;  // not owned
  CWindowCtrl* anchorWindow = nullptr;   // not owned
  bool autoHide = true;
  bool keepRelated = false;
  std::unique_ptr<CShadowCtrl> shadow;

 private:
  [[nodiscard]] bool CursorOverAnchor() const;
};
