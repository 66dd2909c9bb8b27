#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "DibSurface.h"
#include "GdiOwners.h"
#include "ImageButton.h"
#include "ImageProgressbar.h"
#include "ImageStatic.h"

using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF,
                                            BLENDFUNCTION*, DWORD);

// The painter and element container embedded in every skinned window: owns
// the statics, buttons and progress bars, draws them off-screen (or into a
// layered window), routes the mouse to them and runs the caption buttons.
class CImagePaint {
 public:
  // Built-in button ids.
  static constexpr int kCloseId = 10;
  static constexpr int kMinimizeId = 20;
  static constexpr int kMaximizeId = 30;
  static constexpr int kRestoreId = 40;
  static constexpr Gdiplus::ARGB kDefaultBackground = 0xFFFAFAFA;

  using ButtonHook = std::function<bool(CImageButton*)>;
  using PaintHook = std::function<void(Gdiplus::Graphics&)>;

  CImagePaint() = default;
  virtual ~CImagePaint();
  CImagePaint(const CImagePaint&) = delete;
  CImagePaint& operator=(const CImagePaint&) = delete;

  // Default reaction to a completed click; false: stop, the message is handled.
  virtual bool OnClick(CImageButton* button);

  void Paint();
  void UpdateLayered();
  void EnableLayered();
  void SetBackgroundColor(Gdiplus::ARGB color);
  void Redraw(const RECT& rect);
  void Clear();
  // The layered path keeps the background, onPaintBackground and statics
  // rendered; call this when something they draw changes in a way the
  // container cannot see (a brush recoloured in place, other hook output).
  void InvalidateBackground();

  CImageButton* AddButton(int id, int normalId, int hoverId, int pressedId, int fourthId,
                          const RECT& rect);
  [[nodiscard]] CImageButton* FindButton(int id) const;
  bool RemoveButton(int id);
  CImageStatic* AddStatic(int imageId, int id, bool edgeSafeStretch, const RECT& rect);
  [[nodiscard]] CImageStatic* FindStatic(int id) const;
  bool RemoveStatic(int id);
  CImageProgressbar* AddProgressbar(int id, const RECT& rect, int backgroundId, int fillId);

  void ToggleMaximize();
  void LayoutElements(const RECT& client);
  // True when the message counts as handled.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Renderers, usable on any DC (the window's off-screen bitmap, a caller's DIB).
  // dirty null: everything; otherwise only the elements that meet it.
  void RenderTo(HDC dc, const RECT& client, const RECT* dirty);
  // WM_PAINT's work on a given target: draws off-screen, copies dirty only.
  void PaintTo(HDC target, const RECT& client, const RECT& dirty);
  // The picture UpdateLayered hands to the system, drawn into frame.
  void RenderLayered(DibSurface& frame);

  UpdateLayeredWindowFn updateLayeredWindow = nullptr;
  bool layered = false;
  bool captured = false;
  bool leftPressed = false;
  RECT pressRect = {};
  bool rightPressed = false;
  bool tracking = false;
  RECT rightPressRect = {};
  bool captionDrag = false;
  bool fillBackground = true;
  SolidBrushPtr backgroundBrush;
  Gdiplus::ARGB backgroundColor = kDefaultBackground;
  RECT captionRect = {};
  int mouseX = -1;
  int mouseY = 0;
  BYTE alpha = 255;
  RECT eraseRect = {};
  CImageButton* hover = nullptr;  // one of buttons, not owned separately
  std::vector<std::unique_ptr<CImageProgressbar>> progressBars;
  std::vector<std::unique_ptr<CImageStatic>> statics;
  std::vector<std::unique_ptr<CImageButton>> buttons;
  ButtonHook onButtonDown;
  ButtonHook onButtonClick;
  ButtonHook onButtonHover;
  ButtonHook onButtonRightDown;
  ButtonHook onButtonRightClick;
  PaintHook onPaintBackground;
  PaintHook onPaintOverlay;
  std::function<void()> onLayeredFallback;
  HWND hwnd = nullptr;

 private:
  void DrawBackgroundLayer(Gdiplus::Graphics& graphics, const RECT& client, const RECT* dirty);
  void DrawElementLayer(Gdiplus::Graphics& graphics, const RECT* dirty);
  [[nodiscard]] bool BackgroundCacheFits(int width, int height);
  void StorePoint(LPARAM lParam);
  [[nodiscard]] bool Owns(const CImageButton* button) const;
  [[nodiscard]] bool OnSetCursor();
  [[nodiscard]] bool OnMouseMove();
  [[nodiscard]] bool OnLeftDown();
  [[nodiscard]] bool OnLeftUp();
  [[nodiscard]] bool OnRightDown();
  [[nodiscard]] bool OnRightUp();
  void OnMouseLeave();

  std::unique_ptr<DibSurface> frame_;
  std::unique_ptr<DibSurface> backgroundCache_;
  std::vector<std::uintptr_t> backgroundKey_;
};
