#pragma once
#include <windows.h>

#include <memory>
// GDI+ headers need min/max in scope and are not self-contained.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include "ComPtr.h"
#include "UniqueHandle.h"

// GDI+ objects come from the GDI+ allocator (GdiplusBase's operator new), so
// the default deleter frees them correctly; each has exactly one owner.
using FontPtr = std::unique_ptr<Gdiplus::Font>;
using BrushPtr = std::unique_ptr<Gdiplus::Brush>;
using SolidBrushPtr = std::unique_ptr<Gdiplus::SolidBrush>;
using PenPtr = std::unique_ptr<Gdiplus::Pen>;

// A skin image keeps the memory stream it was decoded from for its whole
// life: GDI+ may read the stream again long after loading.
struct ImageDeleter {
  ComPtr<IStream> stream;
  void operator()(Gdiplus::Image* image) const { delete image; }
};
using ImagePtr = std::unique_ptr<Gdiplus::Image, ImageDeleter>;

struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static Handle None() { return nullptr; }
  static void Free(Handle h) { DeleteObject(h); }
};
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;

struct MemoryDcTraits {
  using Handle = HDC;
  static Handle None() { return nullptr; }
  static void Free(Handle h) { DeleteDC(h); }
};
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

struct IconTraits {
  using Handle = HICON;
  static Handle None() { return nullptr; }
  static void Free(Handle h) { DestroyIcon(h); }
};
using UniqueIcon = UniqueHandle<IconTraits>;

// Restores the object that was selected into a DC before.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectGuard() { SelectObject(dc_, old_); }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window DC borrowed with GetDC (null window: the screen) and released once.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  [[nodiscard]] HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};
