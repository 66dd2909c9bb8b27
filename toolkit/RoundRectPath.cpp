#include "RoundRectPath.h"

void AddRoundRectPath(Gdiplus::GraphicsPath& path, const RECT& r, int rx, int ry) {
  const INT l = r.left;
  const INT t = r.top;
  const INT rt = r.right;
  const INT b = r.bottom;
  path.AddArc(l, t, 2 * rx, 2 * ry, 180.0f, 90.0f);
  path.AddLine(l + rx, t, rt - rx, t);
  path.AddArc(rt - 2 * rx, t, 2 * rx, 2 * ry, 270.0f, 90.0f);
  path.AddLine(rt, t + ry, rt, b - ry);
  path.AddArc(rt - 2 * rx, b - 2 * ry, 2 * rx, 2 * ry, 0.0f, 90.0f);
  path.AddLine(rt - rx, b, l + rx, b);
  path.AddArc(l, b - 2 * ry, 2 * rx, 2 * ry, 90.0f, 90.0f);
  path.AddLine(l, t + ry, l, b - ry);
}
