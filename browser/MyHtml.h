#pragma once
#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "HtmlCommand.h"
#include "HtmlCommandTarget.h"
#include "WebBrowser.h"
#include "WindowCtrl.h"

// Frame command message and the two commands the page's keys send.
inline constexpr UINT kFrameCommandMessage = 2277;
inline constexpr WPARAM kFrameToggleFullScreen = 5563;
inline constexpr WPARAM kFrameLeaveFullScreen = 5564;
// Sent to the control's window with kNavigateLandingParam: go to the landing page.
inline constexpr UINT kNavigateLandingMessage = 5577;
inline constexpr WPARAM kNavigateLandingParam = 100;
// navNoHistory: the flags of every navigation the client asks for.
inline constexpr int kNavNoHistory = 2;

// The window that shows the web page. Its window and browser belong to the
// browser thread; called from any other thread, the operations below become
// commands for that thread.
class CMyHtml : public CWindowCtrl, public CHtmlCommandTarget {
 public:
  CMyHtml();
  ~CMyHtml() override;

  using CWindowCtrl::Create;
  // Off the browser thread: queues the creation and returns null.
  HWND Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x,
              int y, int width, int height, HWND parent) override;
  void Navigate(const wchar_t* url, int flags);
  void Refresh();
  void SetSilent(VARIANT_BOOL silent);

  int PreTranslateMessage(MSG* msg) override;
  LRESULT MessageHook(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCreate(CREATESTRUCTW* create) override;
  void OnDestroy() override;
  // Fits the browser and the plug-in window to the control; the arguments
  // are not used, so the frame calls it with zeros after moving the control.
  void OnSize(WPARAM type, int width, int height) override;

  // Set once, when the frame switches to game mode.
  void SetGameMode() { gameMode_ = true; }
  [[nodiscard]] bool GameMode() const { return gameMode_; }
  // Where message 5577 navigates to; set before Create.
  void SetLandingUrl(const std::wstring& url) { landingUrl_ = url; }
  [[nodiscard]] CWebBrowser& Site() { return site_; }

  // CHtmlCommandTarget, on the browser thread.
  CWindowCtrl& ControlWindow() override { return *this; }
  [[nodiscard]] bool HasBrowser() const override { return site_.WebBrowser() != nullptr; }
  void NavigateNow(const std::wstring& url, std::uint32_t flags) override;
  void RefreshNow() override;
  void SetSilentNow(bool silent) override;

 private:
  // The browser thread's loop end releases the control through this, unless
  // the control object is gone by then.
  struct ReleaseSlot {
    std::mutex lock;
    CWebBrowser* site = nullptr;
  };

  [[nodiscard]] bool OnBrowserThread() const;
  void PostToBrowserThread(HtmlCommand command) const;
  void OnBeforeNavigate(IDispatch* frame, const wchar_t* url, VARIANT_BOOL*& cancel);

  std::atomic<bool> gameMode_{false};
  CWebBrowser site_;
  std::wstring landingUrl_;
  std::shared_ptr<ReleaseSlot> releaseSlot_ = std::make_shared<ReleaseSlot>();
};
