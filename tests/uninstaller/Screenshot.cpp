#include "Screenshot.h"

#include <algorithm>
#include <fstream>

namespace fixtures {

Shot CaptureWindow(HWND window) {
  Shot shot;
  RECT r = {};
  if (!GetWindowRect(window, &r)) return shot;
  shot.width = r.right - r.left;
  shot.height = r.bottom - r.top;
  if (shot.width <= 0 || shot.height <= 0) return shot;
  shot.pixels.resize(static_cast<std::size_t>(shot.width) * shot.height);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, shot.width, shot.height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  std::copy_n(static_cast<const std::uint32_t*>(bits), shot.pixels.size(), shot.pixels.begin());
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return shot;
}

void SaveBmp(const Shot& shot, const std::wstring& path) {
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER header = {};
  const DWORD bytes = static_cast<DWORD>(shot.pixels.size() * 4);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + bytes;
  header.biSize = sizeof header;
  header.biWidth = shot.width;
  header.biHeight = -shot.height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  std::ofstream out(path.c_str(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  // The screen leaves alpha undefined; the picture is opaque.
  std::vector<std::uint32_t> opaque(shot.pixels);
  for (auto& pixel : opaque) pixel |= 0xFF000000u;
  out.write(reinterpret_cast<const char*>(opaque.data()), bytes);
}

}  // namespace fixtures
