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

namespace {

// Without a window manager Wine waits up to two seconds for one whenever a
// managed window (a skinned one has a maximize box) is hidden or destroyed.
// This program's windows need no manager; the setting is its own, in the
// test prefix, and is read when the display driver starts.
const bool kUnmanagedWindows = [] {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER,
                      L"Software\\Wine\\AppDefaults\\toolkit_tests.exe\\X11 Driver", 0, nullptr,
                      0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const wchar_t value[] = L"N";
  RegSetValueExW(key, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof(value));
  RegCloseKey(key);
  return true;
}();

}  // namespace
