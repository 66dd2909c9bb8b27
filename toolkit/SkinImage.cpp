#include "SkinImage.h"

#include <cstring>

namespace {

struct GlobalTraits {
  using Handle = HGLOBAL;
  static Handle None() { return nullptr; }
  static void Free(Handle h) { GlobalFree(h); }
};

}  // namespace

ImagePtr LoadPngImage(int id) {
  if (id == 0) return nullptr;
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
  if (!info) return nullptr;
  HGLOBAL resource = LoadResource(module, info);
  const void* bytes = resource ? LockResource(resource) : nullptr;
  const DWORD size = SizeofResource(module, info);
  ImagePtr result;
  if (bytes && size > 0) {
    UniqueHandle<GlobalTraits> block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
    void* copy = block ? GlobalLock(block.Get()) : nullptr;
    if (copy) {
      std::memcpy(copy, bytes, size);
      GlobalUnlock(block.Get());
      ComPtr<IStream> stream;
      // With delete-on-release the stream owns the block from here on.
      if (SUCCEEDED(CreateStreamOnHGlobal(block.Get(), TRUE, stream.Put()))) {
        (void)block.Release();
        std::unique_ptr<Gdiplus::Image> image(new Gdiplus::Image(stream.Get(), TRUE));
        if (image->GetLastStatus() == Gdiplus::Ok) {
          result = ImagePtr(image.release(), ImageDeleter{stream});
        }
      }
    }
  }
  FreeResource(resource);
  return result;
}

ImagePtr CropImage(Gdiplus::Image* source, int x, int width, int height) {
  if (!source || width <= 0 || height <= 0) return nullptr;
  std::unique_ptr<Gdiplus::Bitmap> bitmap(
      new Gdiplus::Bitmap(width, height, PixelFormat32bppARGB));
  if (bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
  {
    Gdiplus::Graphics graphics(bitmap.get());
    Gdiplus::TextureBrush brush(source, Gdiplus::Rect(x, 0, width, height), nullptr);
    graphics.FillRectangle(&brush, 0, 0, width, height);
  }
  return ImagePtr(bitmap.release(), ImageDeleter{});
}
