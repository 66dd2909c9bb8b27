#include "MyHtml.h"

#include "BrowserLayout.h"
#include "HtmlAppManager.h"
#include "WindowSearch.h"

CMyHtml::CMyHtml() = default;

CMyHtml::~CMyHtml() {
  std::lock_guard<std::mutex> guard(releaseSlot_->lock);
  releaseSlot_->site = nullptr;
}

bool CMyHtml::OnBrowserThread() const {
  CHtmlAppManager* app = HtmlApp();
  return app && app->ThreadId() != 0 && app->ThreadId() == GetCurrentThreadId();
}

void CMyHtml::PostToBrowserThread(HtmlCommand command) const {
  command.control = reinterpret_cast<std::uintptr_t>(static_cast<const CHtmlCommandTarget*>(this));
  if (CHtmlAppManager* app = HtmlApp()) app->PostCommand(command);
}

HWND CMyHtml::Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                     int x, int y, int width, int height, HWND parent) {
  if (OnBrowserThread()) {
    return CWindowCtrl::Create(exStyle, className, title, style, x, y, width, height, parent);
  }
  HtmlCommand command;
  command.window = reinterpret_cast<std::uintptr_t>(parent);
  command.kind = kHtmlCreate;
  command.argA = static_cast<std::uintptr_t>(width);
  command.argB = static_cast<std::uintptr_t>(height);
  command.x = static_cast<std::uintptr_t>(x);
  command.y = static_cast<std::uintptr_t>(y);
  PostToBrowserThread(command);
  return nullptr;
}

void CMyHtml::Navigate(const wchar_t* url, int flags) {
  if (OnBrowserThread()) {
    static_cast<void>(site_.Navigate(url, flags));
    return;
  }
  if (!url) return;
  // The command carries its own copy of the whole URL: a later navigation
  // cannot overwrite it, and no length limit cuts it.
  HtmlCommand command;
  command.window = reinterpret_cast<std::uintptr_t>(GetHwnd());
  command.kind = kHtmlNavigate;
  command.argB = static_cast<std::uint32_t>(flags);
  command.url = url;
  PostToBrowserThread(std::move(command));
}

void CMyHtml::Refresh() {
  if (OnBrowserThread()) {
    RefreshNow();
    return;
  }
  HtmlCommand command;
  command.window = reinterpret_cast<std::uintptr_t>(GetHwnd());
  command.kind = kHtmlRefresh;
  PostToBrowserThread(command);
}

void CMyHtml::SetSilent(VARIANT_BOOL silent) {
  if (OnBrowserThread()) {
    SetSilentNow(silent != VARIANT_FALSE);
    return;
  }
  HtmlCommand command;
  command.window = reinterpret_cast<std::uintptr_t>(GetHwnd());
  command.kind = kHtmlSetSilent;
  command.argA = silent != VARIANT_FALSE ? 1 : 0;
  PostToBrowserThread(command);
}

void CMyHtml::NavigateNow(const std::wstring& url, std::uint32_t flags) {
  static_cast<void>(site_.Navigate(url.c_str(), static_cast<int>(flags)));
}

void CMyHtml::RefreshNow() {
  if (IWebBrowser2* browser = site_.WebBrowser()) browser->Refresh();
}

void CMyHtml::SetSilentNow(bool silent) {
  if (IWebBrowser2* browser = site_.WebBrowser()) {
    browser->put_Silent(silent ? VARIANT_TRUE : VARIANT_FALSE);
  }
}

int CMyHtml::PreTranslateMessage(MSG* msg) {
  if ((msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && gameMode_) {
    HWND frame = GetParent(GetHwnd());
    if (msg->wParam == VK_ESCAPE) PostMessageW(frame, kFrameCommandMessage, kFrameLeaveFullScreen, 0);
    if (msg->wParam == VK_F10) PostMessageW(frame, kFrameCommandMessage, kFrameToggleFullScreen, 0);
  }
  // Forwarded keys still go to the page unless the browser consumes them.
  return site_.TranslateBrowserKey(msg) == S_OK ? 1 : 0;
}

LRESULT CMyHtml::MessageHook(UINT message, WPARAM wParam, LPARAM) {
  if (message == kNavigateLandingMessage && wParam == kNavigateLandingParam) {
    Navigate(landingUrl_.c_str(), kNavNoHistory);
  }
  return 0;
}

void CMyHtml::OnCreate(CREATESTRUCTW*) {
  if (!site_.CreateBrowser(GetHwnd())) return;
  site_.onBeforeNavigate = [this](IDispatch* frame, const wchar_t* url, VARIANT_BOOL*& cancel) {
    OnBeforeNavigate(frame, url, cancel);
  };
  // COM objects go on the thread that made them: the browser thread releases
  // the control as its last act, before this object is destroyed elsewhere.
  if (auto* app = dynamic_cast<CHtmlAppManager*>(GetApp())) {
    releaseSlot_->site = &site_;
    app->AtLoopEnd([slot = releaseSlot_] {
      std::lock_guard<std::mutex> guard(slot->lock);
      if (slot->site) slot->site->ReleaseControl();
      slot->site = nullptr;
    });
  }
}

// Every navigation proceeds.
void CMyHtml::OnBeforeNavigate(IDispatch*, const wchar_t*, VARIANT_BOOL*&) {}

void CMyHtml::OnDestroy() { site_.ClearActivated(); }

void CMyHtml::OnSize(WPARAM, int, int) {
  RECT client = {};
  if (IsWindow(GetHwnd())) GetClientRect(GetHwnd(), &client);
  HWND browser = site_.GetBrowserWindow();
  if (!browser) return;
  const PixelRect area{client.left, client.top, client.right - client.left,
                       client.bottom - client.top};
  const BrowserLayout layout = LayoutBrowser(area, gameMode_);
  MoveWindow(browser, layout.browser.left, layout.browser.top, layout.browser.width,
             layout.browser.height, TRUE);
  if (HWND flash = FindFlashWindow(browser)) {
    MoveWindow(flash, layout.flash.left, layout.flash.top, layout.flash.width,
               layout.flash.height, TRUE);
  }
}
