#pragma once
#include <memory>
#include <vector>

#include "GdiOwners.h"
#include "ImageButton.h"
#include "ImageStatic.h"
#include "WindowCtrl.h"

class CImagePaintEx;

// One row of an image list: its own small buttons, statics and child
// windows, placed relative to the row.
class CImageItem {
 public:
  // A child window moved with the row; rect is relative to the row.
  struct ChildWindow {
    std::unique_ptr<CWindowCtrl> window;
    RECT rect = {};
  };

  CImageItem(CImagePaintEx* owner, int id, int height);
  virtual ~CImageItem();
  CImageItem(const CImageItem&) = delete;
  CImageItem& operator=(const CImageItem&) = delete;

  virtual void Draw(Gdiplus::Graphics& graphics, int left, int top, int right, int bottom);
  // True when the button under the mouse changed.
  virtual bool TrackMouse(int x, int y);
  virtual void ResetHover();
  virtual void SetBounds(int left, int top, int right, int bottom);
  virtual void OnHoverEnter() {}

  // The existing button with this id unchanged, or a new one.
  CImageButton* AddButton(int id, const RECT& rect, const wchar_t* caption, int normalId,
                          int hoverId, int pressedId, int fourthId);
  void SetSelected(bool on);

  int mouseX = -1;
  int mouseY = 0;
  std::vector<std::unique_ptr<CImageButton>> buttons;
  std::vector<std::unique_ptr<CImageStatic>> statics;
  std::vector<ChildWindow> childWindows;
  CImageButton* hoverPart = nullptr;  // one of buttons
  bool hovered = false;
  bool selected = false;
  bool visible = true;
  CImagePaintEx* owner;
  int id;
  int height;
  RECT rect = {};
};
