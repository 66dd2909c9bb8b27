#pragma once
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "UniqueHandle.h"

struct MemoryDcTraits {
  using Handle = HDC;
  static Handle None() { return nullptr; }
  static void Free(Handle h) { DeleteDC(h); }
};
struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static Handle None() { return nullptr; }
  static void Free(Handle h) { DeleteObject(h); }
};

// A window's client area as it paints itself (WM_PRINTCLIENT) into a 32-bit
// top-down bitmap: what a screenshot of it would show.
struct Capture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB

  [[nodiscard]] int DarkPixels(int top, int bottom) const {
    int n = 0;
    for (int y = top; y < bottom && y < height; ++y)
      for (int x = 0; x < width; ++x) n += (pixels[y * width + x] & 0xFF) < 0x80;
    return n;
  }

  void SaveBmp(const std::wstring& path) const {
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    DWORD bytes = static_cast<DWORD>(pixels.size() * 4);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + bytes;
    std::string narrow(path.begin(), path.end());
    std::ofstream out(narrow, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(reinterpret_cast<const char*>(pixels.data()), bytes);
  }
};

inline Capture CaptureClient(HWND window) {
  Capture c;
  RECT rc;
  GetClientRect(window, &rc);
  c.width = rc.right;
  c.height = rc.bottom;
  if (c.width <= 0 || c.height <= 0) return c;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = c.width;
  bi.bmiHeader.biHeight = -c.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  UniqueHandle<MemoryDcTraits> dc(CreateCompatibleDC(nullptr));
  UniqueHandle<GdiObjectTraits> bitmap(CreateDIBSection(dc.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !bitmap || !bits) return c;
  HGDIOBJ old = SelectObject(dc.Get(), bitmap.Get());
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
  GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  c.pixels.assign(p, p + static_cast<size_t>(c.width) * c.height);
  SelectObject(dc.Get(), old);
  return c;
}
