#include "FrameBack.h"

#include "FrameGame.h"
#include "FrameGeometry.h"
#include "LinkTable.h"
#include "OpenLink.h"
#include "RoundRectPath.h"
#include "client_resources.h"

namespace {

constexpr LONG_PTR kStyleMask = static_cast<LONG_PTR>(0xFF3FFFFF);  // without WS_CAPTION
constexpr LONG_PTR kStyleAdded = 0x02010100;
constexpr int kLauncherCloseId = 1002;
constexpr int kLauncherPictureId = 1007;

struct LauncherButton {
  int id;
  int image;
  RECT rect;
};

constexpr LauncherButton kLauncherButtons[] = {
    {CImagePaint::kMinimizeId, IDP_LAUNCHER_MIN, {1011, 71, 1056, 119}},
    {kLauncherCloseId, IDP_LAUNCHER_CLOSE, {1062, 70, 1107, 118}},
    {kLauncherSiteLink, IDP_LAUNCHER_LINK_SITE, {577, 134, 648, 155}},
    {kLauncherTopUpLink, IDP_LAUNCHER_LINK_TOPUP, {676, 134, 747, 155}},
    {kLauncherForumLink, IDP_LAUNCHER_LINK_FORUM, {985, 134, 1056, 155}},
    {kLauncherServiceLink, IDP_LAUNCHER_LINK_SERVICE, {884, 134, 955, 155}},
};

}  // namespace

CFrameBack::CFrameBack() { SetClassName(L"korvan_back"); }

LRESULT CFrameBack::MessageHook(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    HWND hwnd = GetHwnd();
    paint.hwnd = hwnd;
    paint.onButtonClick = [this](CImageButton* b) { return OnLauncherButton(b); };
    paint.onPaintOverlay = [this](Gdiplus::Graphics& g) { PaintBorder(g); };
    SetWindowLongPtrW(hwnd, GWL_STYLE,
                      (GetWindowLongPtrW(hwnd, GWL_STYLE) & kStyleMask) | kStyleAdded);
  }
  return paint.HandleMessage(message, wParam, lParam) ? 1 : 0;
}

void CFrameBack::OnCreate(CREATESTRUCTW*) {
  HWND hwnd = GetHwnd();
  SetWindowLongPtrW(hwnd, GWL_STYLE, GetWindowLongPtrW(hwnd, GWL_STYLE) | WS_CLIPCHILDREN);
  const LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE,
                    (ex & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW)) | WS_EX_TOOLWINDOW);
  RECT client = {};
  GetClientRect(hwnd, &client);
  paint.captionDrag = true;
  paint.captionRect = client;
  const float widths[3] = {2.0f, 2.0f, 4.0f};
  for (int i = 0; i < 3; ++i) pens_[i] = std::make_unique<Gdiplus::Pen>(Gdiplus::Color(colors_[i]), widths[i]);
  for (const LauncherButton& b : kLauncherButtons) {
    if (CImageButton* button = paint.AddButton(b.id, 0, 0, 0, 0, b.rect)) {
      button->SetStripImage(b.image);
    }
  }
  paint.AddStatic(IDP_LAUNCHER_BACK, kLauncherPictureId, false, client);
  paint.EnableLayered();
  paint.UpdateLayered();
}

void CFrameBack::OnDestroy() {
  for (PenPtr& pen : pens_) pen.reset();
}

void CFrameBack::OnMove(int, int) {
  if (borderMode_ || !ownerFrame_ || !ownerFrame_->GetHwnd()) return;
  RECT r = {};
  GetWindowRect(GetHwnd(), &r);
  MoveWindow(ownerFrame_->GetHwnd(), r.left + kPanelOffsetX, r.top + kPanelOffsetY, kPanelWidth,
             kPanelHeight, TRUE);
}

void CFrameBack::OnShowWindow(WPARAM shown, LPARAM) {
  if (shown) paint.UpdateLayered();
}

bool CFrameBack::OnLauncherButton(CImageButton* button) {
  HWND frame = ownerFrame_ ? ownerFrame_->GetHwnd() : nullptr;
  switch (button->id) {
    case CImagePaint::kMinimizeId:
      if (frame && IsWindow(frame)) ShowWindow(frame, SW_MINIMIZE);
      ShowWindow(GetHwnd(), SW_HIDE);
      return false;
    case kLauncherCloseId:
      if (confirm_.AskClose(GetHwnd()) != CImageDialog::kResultOk) return true;
      ShowWindow(GetHwnd(), SW_HIDE);
      if (frame) PostMessageW(frame, WM_CLOSE, 0, 0);
      return false;
    case kLauncherSiteLink:
    case kLauncherForumLink:
    case kLauncherServiceLink:
    case kLauncherTopUpLink:
      OpenLink(button->id, std::wstring());
      return true;
    default:
      return true;
  }
}

void CFrameBack::SwitchToBorderMode() {
  borderMode_ = true;
  paint.captionDrag = false;
  paint.RemoveStatic(kLauncherPictureId);
  for (int id : {kLauncherTopUpLink, kLauncherSiteLink, kLauncherForumLink, kLauncherServiceLink,
                 kLauncherCloseId, static_cast<int>(CImagePaint::kMinimizeId)}) {
    paint.RemoveButton(id);
  }
  paint.InvalidateBackground();
}

void CFrameBack::PaintBorder(Gdiplus::Graphics& graphics) {
  if (!borderMode_) return;
  RECT client = {};
  GetClientRect(GetHwnd(), &client);
  const int w = client.right;
  const int h = client.bottom;
  const int b = borderSize;
  const int c = cornerRadius;
  const struct {
    RECT rect;
    int radius;
  } outlines[3] = {
      {{b - 5, b - 5, w + 4 - b, h + 4 - b}, c + 1},
      {{b - 3, b - 3, w + 2 - b, h + 2 - b}, c + 1},
      {{b, b, w - 1 - b, h - 1 - b}, c - 1},
  };
  for (int i = 0; i < 3; ++i) {
    if (!pens_[i]) continue;
    Gdiplus::GraphicsPath path(Gdiplus::FillModeAlternate);
    AddRoundRectPath(path, outlines[i].rect, outlines[i].radius, outlines[i].radius);
    graphics.DrawPath(pens_[i].get(), &path);
  }
}
