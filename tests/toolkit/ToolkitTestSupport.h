#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "AppManager.h"
#include "DibSurface.h"
#include "GdiOwners.h"
#include "ImageCtrl.h"
#include "WinTestSupport.h"

namespace toolkittest {

// Fixture images linked into the test program (fixtures/, toolkit_tests.rc).
enum FixtureId : int {
  kHalfAlpha = 901,  // 80x20: left half opaque red, right half blue at alpha 128
  kStrip = 902,      // 120x30: left half green, right half blue
  kFill = 903,       // 300x10 red
  kGroove = 904,     // 10x10 grey
  kGlow = 905,       // 20x20 white at alpha 64
  kRed = 906,        // 8x8 each
  kGreen = 907,
  kBlue = 908,
  kYellow = 909,
  kEdge = 910,  // 10x10 green
  kMissing = 4321,
};

constexpr std::uint32_t kOpaqueRed = 0xFFFF0000;
constexpr std::uint32_t kOpaqueGreen = 0xFF00FF00;
constexpr std::uint32_t kOpaqueBlue = 0xFF0000FF;
constexpr std::uint32_t kOpaqueYellow = 0xFFFFFF00;
constexpr std::uint32_t kOpaqueGrey = 0xFF808080;
constexpr std::uint32_t kOpaqueWhite = 0xFFFFFFFF;

// GDI+ for the test's lifetime (the application object starts it in Run).
class GdiplusScope {
 public:
  GdiplusScope() {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
  }
  ~GdiplusScope() { Gdiplus::GdiplusShutdown(token_); }
  GdiplusScope(const GdiplusScope&) = delete;
  GdiplusScope& operator=(const GdiplusScope&) = delete;

 private:
  ULONG_PTR token_ = 0;
};

// A skinned window that records what its hooks saw.
class RecordingWindow : public CImageCtrl {
 public:
  RecordingWindow() { SetClassName(L"ToolkitProbe"); }
  bool OnButtonClick(CImageButton* b) override {
    clicks.push_back(b->id);
    return allowDefault;
  }
  bool OnButtonHover(CImageButton* b) override {
    hovers.push_back(b->id);
    return true;
  }
  std::function<void()> onCreate;
  void OnCreate(CREATESTRUCTW*) override {
    if (onCreate) onCreate();
  }

  std::vector<int> clicks;
  std::vector<int> hovers;
  bool allowDefault = true;
};

// Registered application and GDI+ for window tests.
class WindowTest : public ::testing::Test {
 protected:
  GdiplusScope gdiplus_;
  CAppManager app_;
  testsupport::ScopedApp scope_{app_};

  // A top-level popup of the given client size at (x, y), hidden unless asked:
  // Wine waits up to 2 s for a window manager when a shown skinned window goes.
  HWND Open(CImageCtrl& window, int width, int height, int x = 50, int y = 50,
            DWORD style = WS_POPUP) {
    return window.Create(0, nullptr, L"probe", style, x, y, width, height, nullptr);
  }
};

inline LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

inline RECT Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }

// The container's whole picture, drawn as WM_PAINT would into a fresh 32-bit DIB.
inline void Render(CImagePaint& paint, DibSurface& surface) {
  surface.Fill(0);
  const RECT client = {0, 0, surface.Width(), surface.Height()};
  paint.RenderTo(surface.Dc(), client, nullptr);
}

// Pixels of one row from x0 to x1 (exclusive) that equal colour.
inline int CountInRow(const DibSurface& s, int y, int x0, int x1, std::uint32_t colour) {
  int n = 0;
  for (int x = x0; x < x1; ++x) n += s.Pixel(x, y) == colour ? 1 : 0;
  return n;
}

// Saves a surface as PNG into the test output folder; returns the path.
std::wstring SavePng(const DibSurface& surface, const wchar_t* name);

// The image's pixel at (x, y) as non-premultiplied ARGB.
inline std::uint32_t ImagePixel(Gdiplus::Image* image, int x, int y) {
  Gdiplus::Color c;
  static_cast<Gdiplus::Bitmap*>(image)->GetPixel(x, y, &c);
  return c.GetValue();
}

}  // namespace toolkittest
