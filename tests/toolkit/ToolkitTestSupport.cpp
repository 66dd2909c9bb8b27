#include "ToolkitTestSupport.h"

#include <memory>

namespace toolkittest {

namespace {

bool PngEncoder(CLSID* clsid) {
  UINT count = 0;
  UINT bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<BYTE> buffer(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(codecs[i].MimeType) == L"image/png") {
      *clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

std::wstring SavePng(const DibSurface& surface, const wchar_t* name) {
  const int w = surface.Width();
  const int h = surface.Height();
  Gdiplus::Bitmap bitmap(w, h, PixelFormat32bppPARGB);
  Gdiplus::Rect all(0, 0, w, h);
  Gdiplus::BitmapData data;
  if (bitmap.LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppPARGB, &data) ==
      Gdiplus::Ok) {
    for (int y = 0; y < h; ++y) {
      auto* row = reinterpret_cast<std::uint32_t*>(static_cast<BYTE*>(data.Scan0) +
                                                   static_cast<std::ptrdiff_t>(y) * data.Stride);
      for (int x = 0; x < w; ++x) row[x] = surface.Pixel(x, y);
    }
    bitmap.UnlockBits(&data);
  }
  std::wstring path = testsupport::TestOutputDir() + L"\\" + name;
  CLSID png;
  if (PngEncoder(&png)) bitmap.Save(path.c_str(), &png, nullptr);
  return path;
}

}  // namespace toolkittest
