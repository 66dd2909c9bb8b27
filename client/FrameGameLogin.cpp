#include "FrameGame.h"

#include "GameApp.h"
#include "LoginRules.h"
#include "OpenLink.h"
#include "ProfileValues.h"
#include "vd_config.h"

namespace {

// A BSTR owned for one read.
class ScopedBstr {
 public:
  ScopedBstr() = default;
  explicit ScopedBstr(const wchar_t* text) : bstr_(SysAllocString(text)) {}
  ~ScopedBstr() { SysFreeString(bstr_); }
  ScopedBstr(const ScopedBstr&) = delete;
  ScopedBstr& operator=(const ScopedBstr&) = delete;
  BSTR* Put() {
    SysFreeString(bstr_);
    bstr_ = nullptr;
    return &bstr_;
  }
  [[nodiscard]] BSTR Get() const { return bstr_; }

 private:
  BSTR bstr_ = nullptr;
};

bool IsLogin(const wchar_t* url) { return IsLoginUrl(url, VD_LOGIN_GATE_HOST_W); }

}  // namespace

void CFrameGame::TakeServerId(const wchar_t* url) {
  std::wstring id;
  if (!ExtractServerId(url, &id)) return;
  std::lock_guard<std::mutex> guard(learnedLock_);
  serverId_ = id;
}

void CFrameGame::ReadLoginUser() {
  ComPtr<IHTMLDocument3> document = html_.Site().GetHtmlDocument3();
  if (!document) return;
  ComPtr<IHTMLElement> element;
  ScopedBstr id(kLoginUserElement);
  if (FAILED(document->getElementById(id.Get(), element.Put())) || !element) return;
  ScopedBstr text;
  if (FAILED(element->get_innerText(text.Put())) || !text.Get()) return;
  const std::wstring name = TruncateAtCharacter(text.Get(), kLearnedFieldCapacity);
  {
    std::lock_guard<std::mutex> guard(learnedLock_);
    userName_ = name;
  }
  if (gameApp* app = ClientApp()) app->SetUserName(name);
}

void CFrameGame::OnNavigateComplete(const wchar_t* url) {
  if (!url) return;
  if (gameMode_) {
    html_.OnSize(0, 0, 0);
    return;
  }
  if (IsUserPageUrl(url)) ReadLoginUser();
  if (IsLogin(url)) {
    TakeServerId(url);
    // The timer belongs to the frame's thread; it is armed there.
    PostMessageW(GetHwnd(), kArmSwitchTimerMessage, 0, 0);
  }
}

void CFrameGame::OnDocumentComplete(IDispatch*, const wchar_t* url) {
  if (!url) return;
  ComPtr<IHTMLDocument2> document = html_.Site().GetHtmlDocument2();
  if (!document) return;
  const bool userPage = IsUserPageUrl(url);
  if (userPage) ReadLoginUser();
  ScopedBstr title;
  if (SUCCEEDED(document->get_title(title.Put())) && title.Get()) {
    {
      std::lock_guard<std::mutex> guard(learnedLock_);
      pageTitle_ = TruncateAtCharacter(title.Get(), kPageTitleCapacity);
    }
    if (gameMode_) InvalidateRect(GetHwnd(), nullptr, FALSE);
  }
  if (gameMode_) {
    html_.OnSize(0, 0, 0);
    return;
  }
  if (!IsLogin(url)) {
    ShowWindow(GetHwnd(), SW_SHOW);
    if (userPage) ReadLoginUser();
    return;
  }
  TakeServerId(url);
  PostMessageW(GetHwnd(), kFrameCommandMessage, kFrameSwitchToGame, 0);
}

void CFrameGame::OnNewWindow(IDispatch**, VARIANT_BOOL*& cancel, DWORD, const wchar_t*,
                             const wchar_t* url) {
  OpenInDefaultBrowser(url);
  if (cancel) *cancel = VARIANT_TRUE;
}
