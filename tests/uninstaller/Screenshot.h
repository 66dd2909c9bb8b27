#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace fixtures {

// The window's pixels as they are on the screen, 32-bit BGRA rows top down.
struct Shot {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  [[nodiscard]] std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF; }
};

[[nodiscard]] Shot CaptureWindow(HWND window);
// Writes the shot as a BMP file for a person to look at.
void SaveBmp(const Shot& shot, const std::wstring& path);

}  // namespace fixtures
