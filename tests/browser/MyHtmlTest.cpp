#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "BrowserThread.h"
#include "MyHtml.h"
#include "StandinSupport.h"
#include "WinTestSupport.h"
#include "WindowSearch.h"

namespace {

constexpr UINT kRunOnBrowserThread = WM_APP + 41;

// Thread-safe list of values seen on the browser thread.
template <typename T>
class Seen {
 public:
  void Add(T value) {
    std::lock_guard<std::mutex> guard(lock_);
    values_.push_back(std::move(value));
  }
  std::vector<T> Values() const {
    std::lock_guard<std::mutex> guard(lock_);
    return values_;
  }
  std::size_t Count() const { return Values().size(); }

 private:
  mutable std::mutex lock_;
  std::vector<T> values_;
};

// The real control, with a way to run code on its thread and a record of the
// key messages dispatched to its window.
class HtmlProbe : public CMyHtml {
 public:
  LRESULT MessageHook(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kRunOnBrowserThread) {
      (*reinterpret_cast<std::function<void()>*>(lParam))();
      return 1;
    }
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) keys.Add(wParam);
    return CMyHtml::MessageHook(message, wParam, lParam);
  }
  // Runs task on the browser thread and returns when it is done.
  void RunThere(std::function<void()> task) {
    SendMessageW(GetHwnd(), kRunOnBrowserThread, 0, reinterpret_cast<LPARAM>(&task));
  }
  Seen<WPARAM> keys;
};

class FrameProbe : public CWindowCtrl {
 public:
  FrameProbe() { SetClassName(L"HtmlFrameProbe"); }
  LRESULT MessageHook(UINT message, WPARAM wParam, LPARAM) override {
    if (message == kFrameCommandMessage) commands.push_back(wParam);
    return 0;
  }
  std::vector<WPARAM> commands;
};

Seen<WPARAM> g_flashKeys;
WNDPROC g_flashProc = nullptr;
LRESULT CALLBACK RecordFlashKeys(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN) g_flashKeys.Add(wParam);
  return CallWindowProcW(g_flashProc, hwnd, message, wParam, lParam);
}

const char kScript[] =
    "page http://game/flash.html\n"
    "  flash\n";

SIZE WindowSize(HWND hwnd) {
  RECT r = {};
  GetWindowRect(hwnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

class MyHtmlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info->name();
    standin_ = std::make_unique<testsupport::StandinSession>(std::wstring(name.begin(), name.end()),
                                                             kScript);
    ASSERT_TRUE(scope_.Registered());
    ASSERT_TRUE(frame_.Create(0, nullptr, L"", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 900, 700, nullptr));
    ASSERT_TRUE(thread_.Start());
    html_.Site().onNavigateComplete = [this](const wchar_t* url) { navigated_.Add(url); };
  }
  // The client's order: the frame window goes, then the browser thread.
  void TearDown() override {
    DestroyWindow(frame_.GetHwnd());
    thread_.Stop();
  }
  void CreateAndWait() {
    EXPECT_EQ(html_.Create(0, nullptr, L"", WS_CHILD | WS_VISIBLE, 7, 9, 300, 200, frame_.GetHwnd()),
              nullptr);
    // Visible only once creation, and with it the control, is complete.
    ASSERT_TRUE(testsupport::PumpUntil([&] {
      return IsWindow(html_.GetHwnd()) && (GetWindowLongW(html_.GetHwnd(), GWL_STYLE) & WS_VISIBLE);
    }));
  }
  void LoadAndWait(const std::wstring& url) {
    std::size_t before = navigated_.Count();
    html_.Navigate(url.c_str(), kNavNoHistory);
    ASSERT_TRUE(testsupport::PumpUntil([&] {
      auto seen = navigated_.Values();
      return seen.size() > before && seen.back() == url;
    }));
  }

  std::unique_ptr<testsupport::StandinSession> standin_;
  CAppManager mainApp_;
  testsupport::ScopedApp scope_{mainApp_};
  FrameProbe frame_;
  HtmlProbe html_;
  Seen<std::wstring> navigated_;
  CBrowserThread thread_;  // last: stopped before the control goes
};

TEST_F(MyHtmlTest, CreateFromAnotherThreadReturnsNullAndTheChildAppearsInPlace) {
  ASSERT_NO_FATAL_FAILURE(CreateAndWait());
  HWND child = html_.GetHwnd();
  EXPECT_EQ(GetParent(child), frame_.GetHwnd());
  EXPECT_EQ(GetWindowThreadProcessId(child, nullptr), thread_.ThreadId());
  EXPECT_EQ(GetWindowLongW(child, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, frame_.GetHwnd(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 7);
  EXPECT_EQ(r.top, 9);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 200);
  EXPECT_EQ(standin_->LinesStartingWith("IOleObject::DoVerb").size(), 1u);
}

TEST_F(MyHtmlTest, NavigationsQueuedBeforeTheWindowRunAfterItEachWithItsWholeUrl) {
  const std::wstring longUrl = L"http://game/long.html?q=" + std::wstring(3000, L'x');
  EXPECT_EQ(html_.Create(0, nullptr, L"", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, frame_.GetHwnd()),
            nullptr);
  html_.Navigate(L"http://game/first.html", kNavNoHistory);
  html_.Navigate(longUrl.c_str(), kNavNoHistory);
  html_.SetSilent(VARIANT_TRUE);
  html_.Refresh();
  // The second navigation supersedes the first, as in the real control.
  ASSERT_TRUE(testsupport::PumpUntil([&] { return navigated_.Count() >= 1; }));
  testsupport::PumpFor(100);
  EXPECT_EQ(navigated_.Values(), std::vector<std::wstring>{longUrl});
  std::vector<std::string> calls;
  for (const std::string& line : standin_->Lines()) {
    if (line.rfind("IOleObject::DoVerb", 0) == 0 || line.rfind("IWebBrowser2::Navigate2", 0) == 0 ||
        line.rfind("IWebBrowser2::put_Silent", 0) == 0 || line.rfind("IWebBrowser2::Refresh", 0) == 0) {
      calls.push_back(line.substr(0, line.find(' ')));
    }
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"IOleObject::DoVerb", "IWebBrowser2::Navigate2",
                                             "IWebBrowser2::Navigate2", "IWebBrowser2::put_Silent",
                                             "IWebBrowser2::Refresh"}));
  ASSERT_EQ(standin_->Navigations().size(), 2u);
  EXPECT_EQ(standin_->Navigations()[1].size(), longUrl.size());
  EXPECT_EQ(standin_->LinesStartingWith("IWebBrowser2::Navigate2 \"http://game/first.html\" flags=2").size(), 1u);
}

TEST_F(MyHtmlTest, EscAndF10AreForwardedInGameModeOnlyAndStillDispatched) {
  ASSERT_NO_FATAL_FAILURE(CreateAndWait());
  struct Row {
    UINT message;
    WPARAM key;
    WPARAM command;  // 0: none
  } rows[] = {
      {WM_KEYDOWN, VK_ESCAPE, kFrameLeaveFullScreen},
      {WM_SYSKEYDOWN, VK_F10, kFrameToggleFullScreen},
      {WM_KEYDOWN, VK_F10, kFrameToggleFullScreen},
      {WM_SYSKEYDOWN, VK_ESCAPE, kFrameLeaveFullScreen},
      {WM_KEYDOWN, 'A', 0},
  };
  for (bool gameMode : {false, true}) {
    if (gameMode) html_.SetGameMode();
    for (const Row& row : rows) {
      frame_.commands.clear();
      std::size_t before = html_.keys.Count();
      PostMessageW(html_.GetHwnd(), row.message, row.key, 0);
      ASSERT_TRUE(testsupport::PumpUntil([&] { return html_.keys.Count() > before; }));
      EXPECT_EQ(html_.keys.Values().back(), row.key);
      testsupport::PumpFor(50);
      std::vector<WPARAM> expected;
      if (gameMode && row.command) expected.push_back(row.command);
      EXPECT_EQ(frame_.commands, expected) << row.key << (gameMode ? " in game mode" : " at login");
    }
  }
}

TEST_F(MyHtmlTest, TabInTheFlashWindowIsConsumed) {
  ASSERT_NO_FATAL_FAILURE(CreateAndWait());
  ASSERT_NO_FATAL_FAILURE(LoadAndWait(L"http://game/flash.html"));
  HWND flash = nullptr;
  html_.RunThere([&] {
    flash = FindFlashWindow(html_.Site().GetBrowserWindow());
    if (!flash) return;
    g_flashProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(flash, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordFlashKeys)));
    SetFocus(flash);
  });
  ASSERT_TRUE(flash);
  PostMessageW(flash, WM_KEYDOWN, VK_TAB, 0);
  PostMessageW(flash, WM_KEYDOWN, VK_RIGHT, 0);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return g_flashKeys.Count() > 0; }));
  EXPECT_EQ(g_flashKeys.Values(), std::vector<WPARAM>{VK_RIGHT});
  html_.RunThere([&] {
    SetWindowLongPtrW(flash, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_flashProc));
    SetFocus(nullptr);
  });
}

TEST_F(MyHtmlTest, LoginLayoutMakesTheBrowserFourPixelsTallerThanControlAndFlash) {
  ASSERT_NO_FATAL_FAILURE(CreateAndWait());
  ASSERT_NO_FATAL_FAILURE(LoadAndWait(L"http://game/flash.html"));
  HWND browser = nullptr;
  HWND flash = nullptr;
  html_.RunThere([&] {
    browser = html_.Site().GetBrowserWindow();
    flash = FindFlashWindow(browser);
  });
  ASSERT_TRUE(browser);
  ASSERT_TRUE(flash);

  // WM_SIZE on the browser thread.
  MoveWindow(html_.GetHwnd(), 0, 0, 800, 600, TRUE);
  testsupport::PumpFor(50);
  EXPECT_EQ(WindowSize(browser).cx, 800);
  EXPECT_EQ(WindowSize(browser).cy, 604);
  EXPECT_EQ(WindowSize(flash).cx, 800);
  EXPECT_EQ(WindowSize(flash).cy, 600);

  // The frame's direct call from its own thread, after the switch.
  html_.SetGameMode();
  html_.OnSize(0, 0, 0);
  EXPECT_EQ(WindowSize(browser).cy, 600);
  EXPECT_EQ(WindowSize(flash).cy, 600);
  EXPECT_EQ(WindowSize(flash).cx, 800);
}

TEST_F(MyHtmlTest, Message5577With100NavigatesToTheLandingPage) {
  html_.SetLandingUrl(L"http://game/wd/index.html?runcount=3");
  ASSERT_NO_FATAL_FAILURE(CreateAndWait());
  SendMessageW(html_.GetHwnd(), kNavigateLandingMessage, 99, 0);
  SendMessageW(html_.GetHwnd(), kNavigateLandingMessage + 1, kNavigateLandingParam, 0);
  testsupport::PumpFor(50);
  EXPECT_TRUE(standin_->Navigations().empty());
  SendMessageW(html_.GetHwnd(), kNavigateLandingMessage, kNavigateLandingParam, 0);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return navigated_.Count() > 0; }));
  EXPECT_EQ(navigated_.Values()[0], L"http://game/wd/index.html?runcount=3");
  EXPECT_EQ(standin_->LinesStartingWith("IWebBrowser2::Navigate2 \"http://game/wd/index.html?runcount=3\" flags=2")
                .size(),
            1u);
}

TEST_F(MyHtmlTest, TheBrowserThreadReleasesTheControlAndNothingCallsItAfterwards) {
  ASSERT_NO_FATAL_FAILURE(CreateAndWait());
  ASSERT_NO_FATAL_FAILURE(LoadAndWait(L"http://game/flash.html"));
  EXPECT_TRUE(standin_->LinesStartingWith("StandinBrowser::~StandinBrowser").empty());
  thread_.Stop();
  EXPECT_EQ(standin_->LinesStartingWith("StandinBrowser::~StandinBrowser").size(), 1u);
  EXPECT_FALSE(IsWindow(html_.GetHwnd()));
  const std::size_t calls = standin_->Lines().size();
  // What the frame may still do from its thread reaches no interface.
  html_.OnSize(0, 0, 0);
  html_.Navigate(L"http://game/late.html", kNavNoHistory);
  MSG key = {};
  key.message = WM_KEYDOWN;
  EXPECT_EQ(html_.PreTranslateMessage(&key), 0);
  EXPECT_EQ(standin_->Lines().size(), calls);
}

}  // namespace
