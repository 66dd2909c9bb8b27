#pragma once
#include <windows.h>

// Off-screen DC for flicker-free painting: drawing goes to memDC in the
// target's coordinates, and the destructor copies blitRect to the target.
class CSanDC {
 public:
  CSanDC(HDC target, const RECT& full, const RECT* dirty);
  virtual ~CSanDC();
  CSanDC(const CSanDC&) = delete;
  CSanDC& operator=(const CSanDC&) = delete;

  [[nodiscard]] HDC MemDC() const { return memDC; }

 private:
  HBITMAP bitmap = nullptr;
  HGDIOBJ oldBitmap = nullptr;
  RECT blitRect = {};
  HDC memDC = nullptr;
  HDC targetDC = nullptr;
};
