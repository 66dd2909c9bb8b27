#include "FrameGame.h"

#include "FrameGeometry.h"
#include "GameApp.h"
#include "HtmlAppManager.h"
#include "LinkTable.h"
#include "OpenLink.h"
#include "ProfileValues.h"
#include "client_resources.h"

namespace {

constexpr DWORD kLauncherStyle = WS_POPUP | WS_VISIBLE;
constexpr DWORD kFrameStyle = WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD kTooltipStyle = WS_POPUP | WS_CLIPCHILDREN;
constexpr UINT kShowMaximizedDelayMs = 700;
constexpr UINT kRefitDelayMs = 500;
constexpr int kFullScreenId = 10013;
constexpr int kToolMenuId = 10014;
constexpr std::size_t kTipCapacity = 63;

struct CaptionButton {
  int id;
  int images[4];
  int width;
  int top;
  int anchorRight;
  int firstLeftFromRight;
  const wchar_t* tip;
  bool strip;
};

// In the order they are added; the first left edges put them in place
// before the first resize moves them to their anchors.
constexpr CaptionButton kCaptionButtons[] = {
    {CImagePaint::kCloseId,
     {IDP_CAPTION_CLOSE, IDP_CAPTION_CLOSE_HOVER, IDP_CAPTION_CLOSE_PRESSED, IDP_CAPTION_CLOSE},
     25, 0, 1, 25, nullptr, false},
    {CImagePaint::kMaximizeId,
     {IDP_CAPTION_MAX, IDP_CAPTION_MAX_HOVER, IDP_CAPTION_MAX_PRESSED, IDP_CAPTION_MAX},
     25, 0, 25, 50, L"最大化", false},
    {CImagePaint::kRestoreId,
     {IDP_CAPTION_RESTORE, IDP_CAPTION_RESTORE_HOVER, IDP_CAPTION_RESTORE_PRESSED,
      IDP_CAPTION_RESTORE},
     25, 0, 25, 50, L"还原", false},
    {CImagePaint::kMinimizeId,
     {IDP_CAPTION_MIN, IDP_CAPTION_MIN_HOVER, IDP_CAPTION_MIN_PRESSED, IDP_CAPTION_MIN},
     25, 0, 50, 75, L"最小化", false},
    {kFullScreenId,
     {IDP_CAPTION_FULLSCREEN, IDP_CAPTION_FULLSCREEN_HOVER, IDP_CAPTION_FULLSCREEN_PRESSED,
      IDP_CAPTION_FULLSCREEN},
     25, 0, 75, 100, L"全屏(F10)", false},
    {kToolMenuId,
     {IDP_CAPTION_TOOL, IDP_CAPTION_TOOL_HOVER, IDP_CAPTION_TOOL_PRESSED, IDP_CAPTION_TOOL},
     25, 0, 100, 125, L"工具", false},
    {kCaptionServiceLink, {IDP_CAPTION_LINK_SERVICE}, 41, 2, 125, 154, nullptr, true},
    {kCaptionForumLink, {IDP_CAPTION_LINK_FORUM}, 41, 2, 170, 199, nullptr, true},
    {kCaptionSiteLink, {IDP_CAPTION_LINK_SITE}, 41, 2, 215, 244, nullptr, true},
    {kCaptionTopUpLink, {IDP_CAPTION_LINK_TOPUP}, 41, 2, 260, 289, nullptr, true},
    {kCaptionAntiAddictionLink, {IDP_CAPTION_LINK_ANTIADDICTION}, 64, 2, 305, 334, nullptr, true},
};

RECT WorkArea() {
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

}  // namespace

CFrameGame::CFrameGame() { SetClassName(L"valdris"); }

CFrameGame::~CFrameGame() {
  if (hiddenToTray_) Shell_NotifyIconW(NIM_DELETE, &trayData_);
}

std::wstring CFrameGame::ServerId() const {
  std::lock_guard<std::mutex> guard(learnedLock_);
  return serverId_;
}

std::wstring CFrameGame::UserName() const {
  std::lock_guard<std::mutex> guard(learnedLock_);
  return userName_;
}

std::wstring CFrameGame::PageTitle() const {
  std::lock_guard<std::mutex> guard(learnedLock_);
  return pageTitle_;
}

void CFrameGame::RunFrame() {
  const RECT work = WorkArea();
  const FramePoint launcher = CentreInArea(work.right - work.left, work.bottom - work.top,
                                           {kLauncherWidth, kLauncherHeight});
  static_cast<void>(back_.Create(0, nullptr, L"", kLauncherStyle, launcher.x, launcher.y,
                                 kLauncherWidth, kLauncherHeight, nullptr));
  const FrameSize minimum =
      MinimumTrackSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), false);
  minTrackWidth = minimum.width;
  minTrackHeight = minimum.height;
  // Hidden until the first ordinary page has loaded: the launcher shows alone first.
  if (!Create(WS_EX_APPWINDOW, nullptr, L"", kFrameStyle, launcher.x + kPanelOffsetX,
              launcher.y + kPanelOffsetY, kPanelWidth, kPanelHeight, back_.GetHwnd())) {
    return;
  }
  back_.SetOwnerFrame(this);
  static_cast<void>(RunModalLoop());
}

void CFrameGame::OnCreate(CREATESTRUCTW*) {
  HWND hwnd = GetHwnd();
  titleFont_ = std::make_unique<Gdiplus::Font>(L"Tahoma", 9.0f, Gdiplus::FontStyleRegular,
                                               Gdiplus::UnitPoint);
  if (titleFont_->GetLastStatus() != Gdiplus::Ok) {
    titleFont_ = std::make_unique<Gdiplus::Font>(Gdiplus::FontFamily::GenericSansSerif(), 9.0f,
                                                 Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
  }
  titleBrush_ = std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(0xFFFFFFFF));
  static_cast<void>(LoadIconResource(true, 48));
  static_cast<void>(LoadIconResource(false, 32));
  SetWindowTextW(hwnd, L"Valdris3");

  CWebBrowser& site = html_.Site();
  site.onNavigateComplete = [this](const wchar_t* url) { OnNavigateComplete(url); };
  site.onNewWindow = [this](IDispatch** newBrowser, VARIANT_BOOL*& cancel, DWORD flags,
                            const wchar_t* contextUrl, const wchar_t* url) {
    OnNewWindow(newBrowser, cancel, flags, contextUrl, url);
  };
  site.onDocumentComplete = [this](IDispatch* frame, const wchar_t* url) {
    OnDocumentComplete(frame, url);
  };
  const std::wstring landing = ClientApp() ? ClientApp()->LandingUrl() : std::wstring();
  html_.SetLandingUrl(landing);
  RECT client = {};
  GetClientRect(hwnd, &client);
  // The control's window belongs to the browser thread: these become commands.
  static_cast<void>(html_.Create(0, nullptr, L"", WS_CHILD | WS_VISIBLE, client.left, client.top,
                                 client.right - client.left, client.bottom - client.top, hwnd));
  html_.Navigate(landing.c_str(), kNavNoHistory);
  html_.SetSilent(VARIANT_TRUE);

  SetUpMenus();
  trayData_.cbSize = NOTIFYICONDATAW_V3_SIZE;
  trayData_.hWnd = hwnd;
  trayData_.uID = kTrayIconId;
  trayData_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  trayData_.uCallbackMessage = kTrayCallbackMessage;
  trayData_.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN));
}

void CFrameGame::AddCaptionBar() {
  RECT client = {};
  GetClientRect(GetHwnd(), &client);
  const int right = client.right;
  if (CImageStatic* back = paint.AddStatic(IDP_CAPTION_BACK, 10011, true, {0, 0, 1366, 25})) {
    back->anchorRight = 0;
    back->fixedLeft = 0;
  }
  paint.AddStatic(IDP_CAPTION_ICON, 10012, false, {5, 5, 21, 21});
  for (const CaptionButton& b : kCaptionButtons) {
    const int left = right - b.firstLeftFromRight;
    const RECT rect = {left, b.top, left + b.width, b.top + (b.strip ? 22 : 25)};
    CImageButton* button =
        b.strip ? paint.AddButton(b.id, 0, 0, 0, 0, rect)
                : paint.AddButton(b.id, b.images[0], b.images[1], b.images[2], b.images[3], rect);
    if (!button) continue;
    if (b.strip) button->SetStripImage(b.images[0]);
    button->anchorRight = b.anchorRight;
    if (b.tip) {
      CopyCaption(button->text, b.tip);
      button->showText = false;
    }
    if (b.id == CImagePaint::kMaximizeId) button->visible = false;
  }
}

void CFrameGame::SwitchToGameMode() {
  if (gameMode_.exchange(true)) return;
  HWND hwnd = GetHwnd();
  back_.SwitchToBorderMode();
  html_.SetGameMode();
  ShowWindow(hwnd, SW_HIDE);
  paint.captionDrag = true;
  paint.fillBackground = true;
  roundCorners = true;
  resizable = true;
  paint.SetBackgroundColor(0x0023373C);
  AddCaptionBar();
  static_cast<void>(tooltip_.Create(0, nullptr, L"", kTooltipStyle, 0, 0, 0, 0, hwnd));
  // Taken by another program, the boss key is simply unavailable.
  RegisterHotKey(hwnd, kBossKeyId, MOD_ALT, 'D');
  const FrameSize minimum =
      MinimumTrackSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), true);
  minTrackWidth = minimum.width;
  minTrackHeight = minimum.height;
  const RECT work = WorkArea();
  const FramePoint at = CentreInArea(work.right - work.left, work.bottom - work.top, minimum);
  MoveWindow(hwnd, at.x, at.y, minimum.width, minimum.height, TRUE);
  SetTimer(hwnd, kShowMaximizedTimer, kShowMaximizedDelayMs, nullptr);
}

void CFrameGame::OnTimer(UINT_PTR id) {
  HWND hwnd = GetHwnd();
  switch (id) {
    case kSwitchTimer:
      if (!gameMode_) PostMessageW(hwnd, kFrameCommandMessage, kFrameSwitchToGame, 0);
      KillTimer(hwnd, kSwitchTimer);
      break;
    case kShowMaximizedTimer:
      ShowWindow(hwnd, SW_SHOWMAXIMIZED);
      SetForegroundWindow(hwnd);
      KillTimer(hwnd, kShowMaximizedTimer);
      SetTimer(hwnd, kRefitTimer, kRefitDelayMs, nullptr);
      break;
    case kRefitTimer:
      KeepMaximizedSize();
      html_.OnSize(0, 0, 0);
      KillTimer(hwnd, kRefitTimer);
      break;
    default:
      break;
  }
}

void CFrameGame::KeepMaximizedSize() {
  HWND hwnd = GetHwnd();
  RECT wanted = {};
  if (fullScreen_) {
    wanted = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  } else if (IsZoomed(hwnd)) {
    wanted = WorkArea();
  } else {
    return;
  }
  // Shown maximized straight from hidden, Wine's X11 driver may later take
  // back the size the window had before; a zoomed or full-screen frame keeps its area.
  RECT now = {};
  GetWindowRect(hwnd, &now);
  if (EqualRect(&now, &wanted)) return;
  SetWindowPos(hwnd, nullptr, wanted.left, wanted.top, wanted.right - wanted.left,
               wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFrameGame::OnSize(WPARAM, int, int) {
  HWND hwnd = GetHwnd();
  RECT r = {};
  GetClientRect(hwnd, &r);
  if (!gameMode_) {
    html_.MoveToRect(r);
    return;
  }
  KeepMaximizedSize();
  GetClientRect(hwnd, &r);
  if (!IsZoomed(hwnd)) {
    r.left += 1;
    r.right -= 1;
    r.bottom -= 1;
  }
  if (fullScreen_) return;
  r.top += kCaptionHeight;
  html_.MoveToRect(r);
  html_.OnSize(0, 0, 0);
  FitBorderWindow(true);
}

void CFrameGame::FitBorderWindow(bool redraw) {
  RECT w = {};
  GetWindowRect(GetHwnd(), &w);
  if (w.right - w.left != 0) InflateRect(&w, back_.borderSize, back_.borderSize);
  back_.MoveToRect(w);
  if (redraw) back_.paint.UpdateLayered();
}

void CFrameGame::OnMove(int, int) {
  if (gameMode_) FitBorderWindow(false);
}

void CFrameGame::OnShowWindow(WPARAM shown, LPARAM) {
  back_.ShowIfWindow(shown ? SW_SHOW : SW_HIDE);
}

LRESULT CFrameGame::MessageHook(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!paint.hover) SetTipText(L"");
      break;
    case WM_MOUSELEAVE:
      SetTipText(L"");
      break;
    case WM_SYSCOMMAND:
      if (!gameMode_) {
        const WPARAM command = wParam & 0xFFF0;
        if (command == SC_MINIMIZE) back_.ShowIfWindow(SW_HIDE);
        if (command == SC_RESTORE) back_.ShowIfWindow(SW_SHOW);
      }
      break;
    case WM_HOTKEY:
      OnBossKey(static_cast<int>(wParam));
      break;
    case kFrameCommandMessage:
      OnFrameCommand(wParam);
      break;
    case kArmSwitchTimerMessage:
      SetTimer(GetHwnd(), kSwitchTimer, kSwitchDelayMs, nullptr);
      break;
    case kTrayCallbackMessage:
      if (wParam != kTrayIconId) return 1;
      OnTrayNotify(wParam, lParam);
      break;
    default:
      break;
  }
  return CImageDialog::MessageHook(message, wParam, lParam);
}

void CFrameGame::OnFrameCommand(WPARAM command) {
  switch (command) {
    case kFrameSwitchToGame:
      SwitchToGameMode();
      break;
    case kFrameDestroy:
      DestroyWindow(GetHwnd());
      break;
    case kFrameToggleFullScreen:
      ToggleFullScreen();
      break;
    case kFrameLeaveFullScreen:
      if (fullScreen_) ToggleFullScreen();
      break;
    default:
      break;
  }
}

void CFrameGame::ToggleFullScreen() {
  HWND hwnd = GetHwnd();
  if (!IsWindowVisible(hwnd)) return;
  fullScreen_ = !fullScreen_;
  paint.captionDrag = !fullScreen_;
  if (fullScreen_) {
    SetForegroundWindow(hwnd);
    SwitchToThisWindow(hwnd, TRUE);
    if (HWND page = html_.GetHwnd()) SetFocus(page);
    GetWindowRect(hwnd, &savedRect_);
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                 GetSystemMetrics(SM_CYSCREEN), SWP_SHOWWINDOW);
    RECT client = {};
    GetClientRect(hwnd, &client);
    html_.MoveToRect(client);
    back_.ShowIfWindow(SW_HIDE);
  } else {
    SetWindowPos(hwnd, HWND_NOTOPMOST, savedRect_.left, savedRect_.top,
                 savedRect_.right - savedRect_.left, savedRect_.bottom - savedRect_.top,
                 SWP_SHOWWINDOW);
    back_.ShowIfWindow(SW_SHOW);
  }
}

bool CFrameGame::OnButtonClick(CImageButton* button) {
  switch (button->id) {
    case CImagePaint::kCloseId:
      if (confirm_.AskClose(GetHwnd()) == kResultOk) DestroyWindow(GetHwnd());
      return false;
    case kFullScreenId:
      PostMessageW(GetHwnd(), kFrameCommandMessage, kFrameToggleFullScreen, 0);
      return true;
    case kToolMenuId:
      ShowToolMenu();
      return true;
    case kCaptionServiceLink:
    case kCaptionForumLink:
    case kCaptionSiteLink:
    case kCaptionTopUpLink:
    case kCaptionAntiAddictionLink:
      OpenLink(button->id, ServerId());
      return true;
    default:
      return true;
  }
}

bool CFrameGame::OnButtonHover(CImageButton* button) {
  const auto visible = [](const CWindowCtrl& w) {
    return w.GetHwnd() && IsWindowVisible(w.GetHwnd());
  };
  if (button->id == kToolMenuId && (visible(toolMenu_) || visible(trayMenu_))) return true;
  SetTipText(button->tipText[0] ? button->tipText : button->text);
  return true;
}

void CFrameGame::SetTipText(const wchar_t* text) {
  const std::wstring wanted = TruncateAtCharacter(text ? text : L"", kTipCapacity);
  if (wanted == lastTip_) return;
  lastTip_ = wanted;
  if (tooltip_.GetHwnd()) tooltip_.SetText(lastTip_.c_str());
}

void CFrameGame::OnPaintOverlay(Gdiplus::Graphics& graphics) {
  if (!gameMode_ || !titleFont_ || !titleBrush_) return;
  RECT client = {};
  GetClientRect(GetHwnd(), &client);
  const std::wstring title = PageTitle();
  Gdiplus::StringFormat format;
  format.SetAlignment(Gdiplus::StringAlignmentNear);
  format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  format.SetTrimming(Gdiplus::StringTrimmingEllipsisWord);
  const Gdiplus::RectF box(22.0f, 4.0f, static_cast<Gdiplus::REAL>(client.right - 310), 20.0f);
  graphics.DrawString(title.c_str(), -1, titleFont_.get(), box, &format, titleBrush_.get());
}

void CFrameGame::OnDestroy() {
  titleFont_.reset();
  titleBrush_.reset();
  back_.ShowIfWindow(SW_HIDE);
  if (HWND back = back_.GetHwnd()) PostMessageW(back, WM_CLOSE, 0, 0);
  // Wakes the loop also when the destruction came as a sent message, which
  // GetMessageW handles without returning.
  PostMessageW(nullptr, WM_NULL, 0, 0);
  if (CHtmlAppManager* htmlApp = HtmlApp()) {
    PostThreadMessageW(htmlApp->ThreadId(), WM_QUIT, 0, 0);
  }
}
