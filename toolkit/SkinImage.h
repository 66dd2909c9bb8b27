#pragma once
#include "GdiOwners.h"

// The PNG resource with this id in the program's own module; null for id 0,
// a missing resource or any failing step.
[[nodiscard]] ImagePtr LoadPngImage(int id);

// A width by height 32-bit ARGB copy of source's slice starting x pixels from
// its left edge, alpha included; null when source is null.
[[nodiscard]] ImagePtr CropImage(Gdiplus::Image* source, int x, int width, int height);
