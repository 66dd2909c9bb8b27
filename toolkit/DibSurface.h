#pragma once
#include <cstdint>

#include "GdiOwners.h"

// A 32-bit bottom-up DIB section selected into its own memory DC: the
// layered windows' frame, and the surface every renderer can draw into.
class DibSurface {
 public:
  DibSurface() = default;
  DibSurface(HDC compatible, int width, int height);
  ~DibSurface();
  DibSurface(DibSurface&&) = delete;
  DibSurface& operator=(DibSurface&&) = delete;

  [[nodiscard]] bool Valid() const { return bits_ != nullptr; }
  [[nodiscard]] HDC Dc() const { return dc_.Get(); }
  [[nodiscard]] int Width() const { return width_; }
  [[nodiscard]] int Height() const { return height_; }
  // Pixel as stored: premultiplied 0xAARRGGBB; rows bottom-up in memory.
  [[nodiscard]] std::uint32_t Pixel(int x, int y) const;
  void Fill(std::uint32_t argb);
  void CopyFrom(const DibSurface& other);

 private:
  [[nodiscard]] std::uint32_t* Row(int y) const;

  UniqueMemoryDc dc_;
  UniqueGdiObject bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};
