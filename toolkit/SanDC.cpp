#include "SanDC.h"

CSanDC::CSanDC(HDC target, const RECT& full, const RECT* dirty)
    : blitRect(dirty ? *dirty : full), targetDC(target) {
  memDC = CreateCompatibleDC(target);
  bitmap = CreateCompatibleBitmap(target, full.right - full.left, full.bottom - full.top);
  if (memDC && bitmap) oldBitmap = SelectObject(memDC, bitmap);
}

CSanDC::~CSanDC() {
  if (memDC && bitmap) {
    BitBlt(targetDC, blitRect.left, blitRect.top, blitRect.right - blitRect.left,
           blitRect.bottom - blitRect.top, memDC, blitRect.left, blitRect.top, SRCCOPY);
    SelectObject(memDC, oldBitmap);
  }
  if (bitmap) DeleteObject(bitmap);
  if (memDC) DeleteDC(memDC);
}
