#include "ImageCtrl.h"

#include <windowsx.h>

#include <array>

#include "Geometry.h"
#include "HitTest.h"

namespace {

constexpr LONG_PTR kStyleMask = static_cast<LONG_PTR>(0xFF3FFFFF);
constexpr LONG_PTR kStyleAdded = 0x02010100;

}  // namespace

CImageCtrl::CImageCtrl() { SetClassName(L"ImageCtrl"); }

CImageCtrl::~CImageCtrl() {
  if (shadow) {
    if (HWND shadowWindow = shadow->GetHwnd(); shadowWindow && IsWindow(shadowWindow)) {
      DestroyWindow(shadowWindow);
    }
    shadow.reset();
  }
}

void CImageCtrl::BindHooks() {
  paint.onButtonDown = [this](CImageButton* b) { return OnButtonDown(b); };
  paint.onButtonClick = [this](CImageButton* b) { return OnButtonClick(b); };
  paint.onButtonHover = [this](CImageButton* b) { return OnButtonHover(b); };
  paint.onButtonRightDown = [this](CImageButton* b) { return OnButtonRightDown(b); };
  paint.onButtonRightClick = [this](CImageButton* b) { return OnButtonRightClick(b); };
  paint.onPaintBackground = [this](Gdiplus::Graphics& g) { OnPaintBackground(g); };
  paint.onPaintOverlay = [this](Gdiplus::Graphics& g) { OnPaintOverlay(g); };
}

bool CImageCtrl::OnButtonDown(CImageButton*) { return true; }
bool CImageCtrl::OnButtonClick(CImageButton*) { return true; }
bool CImageCtrl::OnButtonHover(CImageButton*) { return true; }
bool CImageCtrl::OnButtonRightDown(CImageButton*) { return true; }
bool CImageCtrl::OnButtonRightClick(CImageButton*) { return true; }
void CImageCtrl::OnPaintBackground(Gdiplus::Graphics&) {}
void CImageCtrl::OnPaintOverlay(Gdiplus::Graphics&) {}

LRESULT CImageCtrl::MessageHook(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = GetHwnd();
  switch (message) {
    case WM_NCCREATE:
      paint.hwnd = hwnd;
      BindHooks();
      SetWindowLongPtrW(hwnd, GWL_STYLE,
                        (GetWindowLongPtrW(hwnd, GWL_STYLE) & kStyleMask) | kStyleAdded);
      break;
    case WM_DESTROY:
      if (shadow && shadow->GetHwnd()) {
        ShowWindow(shadow->GetHwnd(), SW_HIDE);
        PostMessageW(shadow->GetHwnd(), WM_CLOSE, 0, 0);
      }
      break;
    case WM_NCDESTROY:
      smallIcon_.Reset();
      bigIcon_.Reset();
      break;
    case WM_MOVE:
      FollowWithShadow(false);
      break;
    case WM_SIZE:
      if (roundCorners) ApplyRegion();
      FollowWithShadow(true);
      break;
    case WM_GETMINMAXINFO:
      FillMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
      break;
    case WM_WINDOWPOSCHANGING:
      LimitSize(reinterpret_cast<WINDOWPOS*>(lParam));
      break;
    case WM_NCHITTEST:
      return HitTest(lParam);
    default:
      break;
  }
  return paint.HandleMessage(message, wParam, lParam) ? 1 : 0;
}

void CImageCtrl::FollowWithShadow(bool redraw) {
  if (!shadow || !shadow->GetHwnd()) return;
  RECT window = {};
  GetWindowRect(GetHwnd(), &window);
  const Box grown =
      GrowUnlessEmpty({window.left, window.top, window.right, window.bottom}, shadow->shadowSize);
  SetWindowPos(shadow->GetHwnd(), nullptr, grown.left, grown.top, grown.Width(), grown.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (redraw) shadow->Update(255);
}

void CImageCtrl::ApplyRegion() {
  HWND hwnd = GetHwnd();
  RECT client = {};
  GetClientRect(hwnd, &client);
  HRGN region = nullptr;
  if (IsZoomed(hwnd)) {
    region = CreateRectRgn(0, 0, client.right, client.bottom);
  } else {
    const auto corners = CornerCutPolygon(client.right, client.bottom);
    std::array<POINT, corners.size()> points;
    for (std::size_t i = 0; i < corners.size(); ++i) points[i] = {corners[i].x, corners[i].y};
    region = CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
  }
  // On success the region belongs to the system.
  if (region && !SetWindowRgn(hwnd, region, TRUE)) DeleteObject(region);
}

void CImageCtrl::FillMinMaxInfo(MINMAXINFO* info) const {
  HMONITOR monitor = MonitorFromWindow(GetHwnd(), MONITOR_DEFAULTTONEAREST);
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  if (monitor && GetMonitorInfoW(monitor, &mi) && (mi.dwFlags & MONITORINFOF_PRIMARY)) {
    info->ptMaxSize = {mi.rcWork.right - mi.rcWork.left, mi.rcWork.bottom - mi.rcWork.top};
    info->ptMaxPosition = {mi.rcWork.left, mi.rcWork.top};
  }
  info->ptMinTrackSize = {minTrackWidth, minTrackHeight};
}

void CImageCtrl::LimitSize(WINDOWPOS* pos) const {
  if (fixedWidth != 0 && fixedHeight != 0) {
    pos->cx = fixedWidth;
    pos->cy = fixedHeight;
  }
  if (minTrackWidth != 0 && minTrackHeight != 0) {
    if (pos->cx < minTrackWidth) pos->cx = minTrackWidth;
    if (pos->cy < minTrackHeight) pos->cy = minTrackHeight;
  }
}

LRESULT CImageCtrl::HitTest(LPARAM lParam) const {
  if (!resizable) return HTCLIENT;
  POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ScreenToClient(GetHwnd(), &p);
  RECT client = {};
  GetClientRect(GetHwnd(), &client);
  return ResizeHitTest(p.x, p.y, client.right, client.bottom, gripWidth, gripHeight);
}

void CImageCtrl::OnShowWindow(WPARAM shown, LPARAM) {
  if (!shadow || !shadow->GetHwnd()) return;
  if (shown) {
    ShowWindow(shadow->GetHwnd(), SW_SHOW);
  } else {
    ShowWindow(shadow->GetHwnd(), SW_HIDE);
    if (HWND parent = GetParent(shadow->GetHwnd())) SetForegroundWindow(parent);
  }
}

bool CImageCtrl::LoadIconResource(bool big, int size) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(128), RT_GROUP_ICON);
  HGLOBAL groupData = group ? LoadResource(module, group) : nullptr;
  auto* directory = groupData ? static_cast<PBYTE>(LockResource(groupData)) : nullptr;
  if (!directory) return false;
  const int iconId = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, 0);
  HRSRC image = iconId ? FindResourceW(module, MAKEINTRESOURCEW(iconId), RT_ICON) : nullptr;
  HGLOBAL imageData = image ? LoadResource(module, image) : nullptr;
  auto* bits = imageData ? static_cast<PBYTE>(LockResource(imageData)) : nullptr;
  if (!bits) return false;
  UniqueIcon icon(CreateIconFromResourceEx(bits, SizeofResource(module, image), TRUE, 0x00030000,
                                           size, size, 0));
  if (!icon) return false;
  SetIcon(icon.Get(), big);
  return true;
}

void CImageCtrl::SetIcon(HICON icon, bool big) {
  // The window shows the copy until it is replaced or the window is gone;
  // only then is the old copy freed, and icons of others are never freed.
  UniqueIcon copy(icon ? CopyIcon(icon) : nullptr);
  if (icon && !copy) return;
  UniqueIcon& slot = big ? bigIcon_ : smallIcon_;
  SendMessageW(GetHwnd(), WM_SETICON, big ? ICON_BIG : ICON_SMALL,
               reinterpret_cast<LPARAM>(copy.Get()));
  slot = std::move(copy);
}
