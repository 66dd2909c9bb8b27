#pragma once
#include "GdiOwners.h"

inline constexpr Gdiplus::SmoothingMode kSmoothing = Gdiplus::SmoothingModeHighQuality;
inline constexpr int kTextCapacity = 256;

// The elements' own caption font: "宋体" 9 pt; GDI+ falls back to its
// sans-serif family when the face is missing.
[[nodiscard]] FontPtr MakeDefaultFont();
// A regular face of that size, or the elements' face when it is not installed.
[[nodiscard]] FontPtr MakeFaceFont(const wchar_t* face, float points);

// Centred vertically, ellipsis at a word; align 0 near, 1 centre, 2 far.
void SetupCaptionFormat(Gdiplus::StringFormat& format, int align);

// Copies text into a fixed caption buffer, cut to its capacity.
void CopyCaption(wchar_t (&target)[kTextCapacity], const wchar_t* text);

[[nodiscard]] inline Gdiplus::Rect ToGdi(const RECT& r) {
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}
