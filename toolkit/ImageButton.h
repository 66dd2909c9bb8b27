#pragma once
#include "DrawingStyle.h"
#include "GdiOwners.h"

// An image button inside a skinned window: normal, hover and pressed looks,
// optional caption, icon, fill and chamfered border. Owned by its container;
// owners set the public fields directly and then have the container redraw.
class CImageButton {
 public:
  enum Look { kNormal = 0, kHover = 1, kPressed = 2 };

  CImageButton(HWND owner, int id, const RECT& rect, const wchar_t* caption);
  virtual ~CImageButton() = default;
  CImageButton(const CImageButton&) = delete;
  CImageButton& operator=(const CImageButton&) = delete;

  // An empty rect (width 0) means the button's own rect.
  virtual void Draw(Gdiplus::Graphics& graphics, int mouseX, int mouseY, bool leftPressed,
                    const RECT& rect);
  virtual void SetBounds(int left, int top, int right, int bottom);
  [[nodiscard]] virtual bool HitTestPart(int x, int y);
  virtual void PartRect(RECT* out);
  virtual void DrawText(Gdiplus::Graphics& graphics, RECT r, Gdiplus::Brush* brush);

  // A normal id of 0 changes nothing; any other id of 0 leaves its slot empty.
  void SetImages(int normalId, int hoverId, int pressedId, int fourthId);
  void SetStripImage(int id);
  // Colours with alpha 0 leave their slot empty: no caption in that look.
  void SetTextColors(Gdiplus::ARGB normal, Gdiplus::ARGB hover, Gdiplus::ARGB pressed);
  void SetToggled(bool on);
  // The look Draw picks for this mouse state.
  [[nodiscard]] Look LookAt(const RECT& r, int mouseX, int mouseY, bool leftPressed) const;

  bool lastPartHit = false;
  bool checked = false;
  int anchorRight = -1;
  int anchorBottom = -1;
  RECT imagePlacement = {};
  struct Insets {
    int left = 0;
    int top = 2;
    int right = 0;
    int bottom = 0;
  } textInsets;
  bool fourStateImages = true;
  bool showText = true;
  int kind = 0;
  int drawMode = 3;
  int id;
  RECT rect;
  bool visible = true;
  bool disabled = false;
  bool toggled = false;
  FontPtr defaultFont;
  Gdiplus::Font* customFont = nullptr;  // borrowed from the caller
  wchar_t text[kTextCapacity] = {};
  int maxTextHeight = 0;
  wchar_t tipText[kTextCapacity] = {};
  HWND owner;
  ImagePtr normalImage;
  ImagePtr hoverImage;
  ImagePtr pressedImage;
  ImagePtr fourthImage;
  ImagePtr stripImage;
  bool iconEnabled = false;
  ImagePtr icon;
  ImagePtr iconHover;
  RECT iconRect = {};
  PenPtr borderPens[3];
  BrushPtr backgroundBrushes[3];
  SolidBrushPtr textBrushes[3];
  int textAlign = 1;
  RECT textBounds = {};

 private:
  void DrawImages(Gdiplus::Graphics& graphics, const RECT& r, Gdiplus::Image* chosen);
  void DrawBorder(Gdiplus::Graphics& graphics, const RECT& r, Gdiplus::Pen* pen);
};
