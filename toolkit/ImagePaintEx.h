#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "GdiOwners.h"
#include "ImageItem.h"
#include "ImagePaint.h"

// The list container of menus: rows stacked from the top, the row under the
// mouse and the selected row filled with solid colours, clicks reported.
class CImagePaintEx {
 public:
  static constexpr int kDefaultItemHeight = 24;
  static constexpr DWORD kDoubleClickMs = 500;

  using ItemHook = std::function<void(CImageItem*)>;

  CImagePaintEx() = default;
  virtual ~CImagePaintEx();
  CImagePaintEx(const CImagePaintEx&) = delete;
  CImagePaintEx& operator=(const CImagePaintEx&) = delete;

  CImageItem* AddItem(int id);
  void RemoveAllItems();
  [[nodiscard]] RECT GetItemRect(int id) const;
  [[nodiscard]] bool IsRowOnScreen(int top, int height) const;
  void LayoutItems(const RECT* rect);
  void SetBackgroundColor(Gdiplus::ARGB color);
  void SetHoverColor(Gdiplus::ARGB color);
  void Clear();
  // True when the message counts as handled.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Sum of the heights of the visible rows.
  [[nodiscard]] int VisibleHeight() const;

  // The picture of the list on any DC (the window's off-screen bitmap, a test's DIB).
  void RenderTo(HDC dc, const RECT& client);

  UpdateLayeredWindowFn updateLayeredWindow = nullptr;
  ItemHook onItemClick;
  // Fires for a second click on the selected row within 500 ms.
  ItemHook onItemDoubleClick;
  std::function<void(RECT*)> onResize;
  std::function<void()> onLayeredFallback;
  int itemHeight = kDefaultItemHeight;
  bool tracking = false;
  CImageItem* hover = nullptr;
  CImageItem* selected = nullptr;
  SolidBrushPtr backgroundBrush;
  SolidBrushPtr hoverBrush;
  SolidBrushPtr selectedBrush;
  Gdiplus::ARGB backgroundColor = CImagePaint::kDefaultBackground;
  bool fillBackground = true;
  Gdiplus::ARGB hoverColor = 0;
  Gdiplus::ARGB selectedColor = 0;
  std::vector<std::unique_ptr<CImageItem>> items;
  DWORD lastClickTime = 0;
  RECT eraseRect = {};
  int mouseX = -1;
  int mouseY = 0;
  HWND hwnd = nullptr;
  bool layered = false;
  BYTE alpha = 255;

 private:
  void Redraw(const RECT& rect);
  void Paint();
  void UpdateLayered();
  [[nodiscard]] CImageItem* RowAt(int x, int y) const;
  void OnMouseMove();
  void OnLeftUp();
  void OnMouseLeave();
};
