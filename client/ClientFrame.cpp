#include "ClientFrame.h"

#include "AppManager.h"
#include "HtmlAppManager.h"

CClientFrame::CClientFrame() { SetClassName(L"valdris"); }

void CClientFrame::RunFrame(const std::wstring& landingUrl) {
  landingUrl_ = landingUrl;
  html_.SetLandingUrl(landingUrl);
  constexpr DWORD kStyle = WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  if (!Create(WS_EX_APPWINDOW, nullptr, L"", kStyle, 0, 0, kWidth, kHeight, nullptr)) return;
  running_ = true;
  CAppManager* app = GetApp();
  MSG msg;
  while (running_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (app && app->PreTranslateOwn(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void CClientFrame::OnCreate(CREATESTRUCTW*) {
  SetWindowTextW(GetHwnd(), L"Valdris3");
  RECT client = {};
  GetClientRect(GetHwnd(), &client);
  // The control's window belongs to the browser thread: these become commands.
  static_cast<void>(html_.Create(0, nullptr, L"", WS_CHILD | WS_VISIBLE, client.left, client.top,
                                 client.right - client.left, client.bottom - client.top,
                                 GetHwnd()));
  html_.Navigate(landingUrl_.c_str(), kNavNoHistory);
  html_.SetSilent(VARIANT_TRUE);
}

void CClientFrame::OnDestroy() {
  running_ = false;
  // Wakes the loop also when the destruction came as a sent message, which
  // GetMessageW handles without returning.
  PostMessageW(nullptr, WM_NULL, 0, 0);
  if (CHtmlAppManager* htmlApp = HtmlApp()) {
    PostThreadMessageW(htmlApp->ThreadId(), WM_QUIT, 0, 0);
  }
}
