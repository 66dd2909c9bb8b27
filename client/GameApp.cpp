#include "GameApp.h"

#include <atomic>
#include <memory>
#include <vector>

#include "BrowserThread.h"
#include "FrameGame.h"
#include "DeviceIdentity.h"
#include "LandingUrl.h"
#include "ProfileFile.h"
#include "ProfileValues.h"
#include "ReportBody.h"
#include "StatsClient.h"
#include "vd_config.h"

namespace {
std::atomic<gameApp*> g_clientApp{nullptr};

std::wstring WideFromAnsi(const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string AnsiFromWide(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  if (n <= 0) return {};
  std::string ansi(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), n,
                      nullptr, nullptr);
  return ansi;
}

std::string AdapterText() {
  std::string text;
  static_cast<void>(GetAdapterAddressText(&text));
  return text;
}

ReportFields ClientReport(int uid, int adv) {
  ReportFields fields;
  fields.gameId = kClientGameId;
  fields.time = GetUnixTime();
  fields.uuid = AdapterText();
  fields.agentId = uid;
  fields.siteId = adv;
  return fields;
}
}  // namespace

gameApp* ClientApp() { return g_clientApp.load(); }

gameApp::gameApp() { g_clientApp.store(this); }

gameApp::~gameApp() {
  gameApp* self = this;
  g_clientApp.compare_exchange_strong(self, nullptr);
}

void gameApp::FindModuleDirectory() {
  // Grown until the whole path fits: a deep folder is not cut.
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(GetModuleHandleW(nullptr), path.data(),
                                 static_cast<DWORD>(path.size()));
    if (n == 0) {
      moduleDirectory_.clear();
      return;
    }
    if (n < path.size()) {
      moduleDirectory_.assign(path.data(), n);
      break;
    }
    path.resize(path.size() * 2);
  }
  std::size_t slash = moduleDirectory_.rfind(L'\\');
  if (slash != std::wstring::npos) moduleDirectory_.resize(slash);
}

void gameApp::SetUserName(const std::wstring& name) {
  userNameWide_ = TruncateAtCharacter(name, kUserNameCapacity);
  // The code-page form is converted whole: a double-byte name is not cut.
  userNameAnsi_ = AnsiFromWide(userNameWide_);
}

int gameApp::PreTranslateMessage(MSG* msg) {
  // The browser thread's own chain reaches here too; its control posts these itself.
  if (GetCurrentThreadId() != ThreadId() || !frame_ || !frame_->GameMode()) return 0;
  if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return 0;
  if (msg->wParam == VK_ESCAPE) {
    PostMessageW(frame_->GetHwnd(), kFrameCommandMessage, kFrameLeaveFullScreen, 0);
  } else if (msg->wParam == VK_F10) {
    PostMessageW(frame_->GetHwnd(), kFrameCommandMessage, kFrameToggleFullScreen, 0);
  }
  return 0;
}

bool gameApp::InitInstance() {
  FindModuleDirectory();
  landingUrl_.clear();
  userNameWide_.clear();
  userNameAnsi_.clear();

  HANDLE mutex = CreateMutexW(nullptr, FALSE, L"vd");
  const DWORD mutexError = GetLastError();
  mutex_.Reset(mutex);
  // A second client runs as well; only the first one holds the mutex.
  if (mutex_ && mutexError == ERROR_ALREADY_EXISTS) mutex_.Reset();

  const CProfileFile config(moduleDirectory_ + L"\\Config.ini");
  config.WriteText(L"GameInfo", L"Version", kClientVersionText);
  uid_ = config.ReadInt(L"Common", L"UID");
  adv_ = config.ReadInt(L"Common", L"ADV");
  const int runCount = config.ReadInt(L"Common", L"RunCount");

  LandingUrlFields url;
  url.page = std::wstring(VD_GAME_SITE_W) + kLandingPagePath;
  url.installTime = config.ReadText(L"Install", L"InstallTime");
  url.agentId = uid_;
  url.placeId = adv_;
  url.runCount = runCount;
  url.mac = WideFromAnsi(AdapterText());
  url.version = kLandingVersionTag;
  landingUrl_ = BuildLandingUrl(url);

  if (runCount == 0) {
    static_cast<void>(PostReport(BuildInstallBody(ClientReport(uid_, adv_))));
  }
  config.WriteText(L"Common", L"RunCount", std::to_wstring(NextRunCount(runCount)));

  {
    CBrowserThread browser;
    static_cast<void>(browser.Start());
    auto frame = std::make_unique<CFrameGame>();
    frame_ = frame.get();
    frame->RunFrame();
    if (frame->GameMode()) {
      config.WriteText(L"Extension", L"out_time", std::to_wstring(GetUnixTime()));
      config.WriteText(L"Extension", L"Counts", L"0");
    }
    // The browser thread releases the control and ends before the frame
    // that holds it goes, and the thread's application goes last.
    browser.Stop();
    frame.reset();
    frame_ = nullptr;
  }

  ReportFields close = ClientReport(uid_, adv_);
  close.userName = userNameAnsi_;
  static_cast<void>(PostReport(BuildCloseBody(close)));
  config.WriteText(L"Common", L"user_name", userNameWide_);
  mutex_.Reset();
  return false;
}
