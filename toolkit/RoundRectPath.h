#pragma once
#include "GdiOwners.h"

// Rounded rectangle outline with corner radii rx, ry, added to path clockwise from the top-left arc.
void AddRoundRectPath(Gdiplus::GraphicsPath& path, const RECT& rect, int rx, int ry);
