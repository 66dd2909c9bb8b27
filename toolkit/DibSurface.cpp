#include "DibSurface.h"

#include <algorithm>
#include <cstring>

DibSurface::DibSurface(HDC compatible, int width, int height) {
  if (width <= 0 || height <= 0) return;
  dc_.Reset(CreateCompatibleDC(compatible));
  if (!dc_) return;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_ || !bits) return;
  oldBitmap_ = SelectObject(dc_.Get(), bitmap_.Get());
  SetBkMode(dc_.Get(), TRANSPARENT);
  bits_ = static_cast<std::uint32_t*>(bits);
  width_ = width;
  height_ = height;
}

DibSurface::~DibSurface() {
  if (oldBitmap_) SelectObject(dc_.Get(), oldBitmap_);
}

std::uint32_t* DibSurface::Row(int y) const {
  return bits_ + static_cast<std::size_t>(height_ - 1 - y) * static_cast<std::size_t>(width_);
}

std::uint32_t DibSurface::Pixel(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  GdiFlush();
  return Row(y)[x];
}

void DibSurface::Fill(std::uint32_t argb) {
  if (!bits_) return;
  GdiFlush();
  std::fill(bits_, bits_ + static_cast<std::size_t>(width_) * height_, argb);
}

void DibSurface::CopyFrom(const DibSurface& other) {
  if (!bits_ || !other.bits_ || other.width_ != width_ || other.height_ != height_) return;
  GdiFlush();
  std::memcpy(bits_, other.bits_, static_cast<std::size_t>(width_) * height_ * 4);
}
