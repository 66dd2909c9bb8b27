#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "BrowserThread.h"
#include "HtmlCommandTarget.h"
#include "WindowCtrl.h"
#include "WinTestSupport.h"

namespace {

class ControlWindowProbe : public CWindowCtrl {
 public:
  ControlWindowProbe() { SetClassName(L"HtmlProbe"); }
  void OnCreate(CREATESTRUCTW*) override { ++creates; }
  std::atomic<int> creates{0};
};

class FakeControl : public CHtmlCommandTarget {
 public:
  CWindowCtrl& ControlWindow() override { return window; }
  bool HasBrowser() const override { return browser.load(); }
  void NavigateNow(const std::wstring& url, std::uint32_t flags) override {
    std::lock_guard<std::mutex> g(lock);
    calls.push_back(L"navigate " + url + L" " + std::to_wstring(flags) + OnWhichThread());
  }
  void RefreshNow() override {
    std::lock_guard<std::mutex> g(lock);
    calls.push_back(L"refresh" + OnWhichThread());
  }
  void SetSilentNow(bool silent) override {
    std::lock_guard<std::mutex> g(lock);
    calls.push_back(std::wstring(L"silent ") + (silent ? L"1" : L"0") + OnWhichThread());
  }
  std::vector<std::wstring> Calls() {
    std::lock_guard<std::mutex> g(lock);
    return calls;
  }
  std::size_t CallCount() { return Calls().size(); }

  ControlWindowProbe window;
  std::atomic<bool> browser{false};
  std::atomic<DWORD> browserThread{0};

 private:
  std::wstring OnWhichThread() const {
    return GetCurrentThreadId() == browserThread.load() ? L"" : L" (wrong thread)";
  }
  std::mutex lock;
  std::vector<std::wstring> calls;
};

HtmlCommand Command(FakeControl& control, std::uintptr_t kind) {
  HtmlCommand c;
  c.kind = kind;
  c.control = reinterpret_cast<std::uintptr_t>(&control);
  return c;
}

HtmlCommand Navigate(FakeControl& control, const std::wstring& url, std::uint32_t flags = 0) {
  HtmlCommand c = Command(control, kHtmlNavigate);
  c.url = url;
  c.argB = flags;
  return c;
}

class BrowserThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scope_.Registered());
    ASSERT_TRUE(thread_.Start());
    control_.browserThread = thread_.ThreadId();
  }
  void TearDown() override {
    // The control's window lives on the browser thread: it goes with it.
    thread_.Stop();
  }
  bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
    return testsupport::PumpUntil(done, ms);
  }

  CAppManager mainApp_;
  testsupport::ScopedApp scope_{mainApp_};
  CBrowserThread thread_;
  FakeControl control_;
};

TEST_F(BrowserThreadTest, CreateMakesTheControlWindowOnceAtTheGivenPlace) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                nullptr, nullptr);
  HtmlCommand create = Command(control_, kHtmlCreate);
  create.window = reinterpret_cast<std::uintptr_t>(parent);
  create.x = 7;
  create.y = 9;
  create.argA = 120;
  create.argB = 80;
  thread_.App()->PostCommand(create);
  create.x = 50;
  thread_.App()->PostCommand(create);
  ASSERT_TRUE(WaitFor([&] { return thread_.App()->CommandCount() == 0 && control_.window.creates > 0; }));
  testsupport::PumpFor(100);
  EXPECT_EQ(control_.window.creates, 1);
  HWND child = control_.window.GetHwnd();
  ASSERT_TRUE(IsWindow(child));
  EXPECT_EQ(GetParent(child), parent);
  EXPECT_EQ(GetWindowThreadProcessId(child, nullptr), thread_.ThreadId());
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 7);
  EXPECT_EQ(r.top, 9);
  EXPECT_EQ(r.right - r.left, 120);
  EXPECT_EQ(r.bottom - r.top, 80);
  EXPECT_EQ(GetWindowLongW(child, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
  thread_.Stop();
  DestroyWindow(parent);
}

TEST_F(BrowserThreadTest, NavigateBeforeTheBrowserExistsWaitsAndRunsOnce) {
  thread_.App()->PostCommand(Navigate(control_, L"http://127.0.0.1/a", 4));
  testsupport::PumpFor(200);
  EXPECT_EQ(control_.CallCount(), 0u);
  control_.browser = true;
  ASSERT_TRUE(WaitFor([&] { return control_.CallCount() == 1; }));
  testsupport::PumpFor(100);
  EXPECT_EQ(control_.Calls(), std::vector<std::wstring>{L"navigate http://127.0.0.1/a 4"});
}

TEST_F(BrowserThreadTest, RefreshWithoutABrowserIsDroppedAndSilentWaits) {
  HtmlCommand silent = Command(control_, kHtmlSetSilent);
  silent.argA = 1;
  thread_.App()->PostCommand(Command(control_, kHtmlRefresh));
  thread_.App()->PostCommand(silent);
  testsupport::PumpFor(200);
  control_.browser = true;
  ASSERT_TRUE(WaitFor([&] { return control_.CallCount() == 1; }));
  testsupport::PumpFor(100);
  EXPECT_EQ(control_.Calls(), std::vector<std::wstring>{L"silent 1"});
}

TEST_F(BrowserThreadTest, NoneAndUnknownKindsAreRemovedAndIgnored) {
  control_.browser = true;
  thread_.App()->PostCommand(Command(control_, kHtmlNone));
  thread_.App()->PostCommand(Command(control_, 7777));
  thread_.App()->PostCommand(Command(control_, 0));
  thread_.App()->PostCommand(Command(control_, kHtmlRefresh));
  ASSERT_TRUE(WaitFor([&] { return control_.CallCount() == 1; }));
  EXPECT_EQ(control_.Calls(), std::vector<std::wstring>{L"refresh"});
  EXPECT_EQ(thread_.App()->CommandCount(), 0u);
}

// Posting before the thread exists, and while it starts, from several
// threads: every command runs once, each thread's commands in its order.
TEST(BrowserThreadStart, CommandsPostedBeforeReadinessAllRunInOrderOnce) {
  FakeControl control;
  control.browser = true;
  CHtmlAppManager app;
  constexpr int kPosters = 4;
  constexpr int kEach = 300;
  auto post = [&](int poster, int from, int to) {
    for (int i = from; i < to; ++i) {
      app.PostCommand(Navigate(control, std::to_wstring(poster) + L"/" + std::to_wstring(i)));
    }
  };
  std::vector<std::thread> posters;
  for (int p = 0; p < kPosters; ++p) posters.emplace_back(post, p, 0, kEach / 2);
  for (auto& t : posters) t.join();
  posters.clear();

  DWORD threadId = 0;
  UniqueKernelHandle thread(CreateThread(nullptr, 0, &BrowserThreadProc, &app, 0, &threadId));
  ASSERT_TRUE(thread);
  control.browserThread = threadId;
  for (int p = 0; p < kPosters; ++p) posters.emplace_back(post, p, kEach / 2, kEach);
  for (auto& t : posters) t.join();

  ASSERT_EQ(WaitForSingleObject(app.ReadyEvent(), 5000), WAIT_OBJECT_0);
  const std::size_t total = kPosters * kEach;
  for (int i = 0; i < 500 && control.CallCount() < total; ++i) Sleep(10);
  Sleep(100);
  std::vector<std::wstring> calls = control.Calls();
  ASSERT_EQ(calls.size(), total);

  std::vector<int> next(kPosters, 0);
  for (const std::wstring& call : calls) {
    int poster = 0, index = 0;
    ASSERT_EQ(swscanf(call.c_str(), L"navigate %d/%d 0", &poster, &index), 2) << call;
    ASSERT_EQ(call.find(L"wrong thread"), std::wstring::npos);
    EXPECT_EQ(index, next[poster]) << "poster " << poster;
    next[poster] = index + 1;
  }
  PostThreadMessageW(threadId, WM_QUIT, 0, 0);
  EXPECT_EQ(WaitForSingleObject(thread.Get(), 5000), WAIT_OBJECT_0);
}

TEST(BrowserThreadStop, LoopEndActionsRunOnTheBrowserThreadBeforeItEnds) {
  CBrowserThread thread;
  ASSERT_TRUE(thread.Start());
  std::atomic<DWORD> ranOn{0};
  HtmlCommand c;  // a create command whose control registers the action
  struct Registrar : CHtmlCommandTarget {
    CHtmlAppManager* app = nullptr;
    std::atomic<DWORD>* ranOn = nullptr;
    ControlWindowProbe window;
    CWindowCtrl& ControlWindow() override {
      app->AtLoopEnd([r = ranOn] { *r = GetCurrentThreadId(); });
      return window;
    }
    bool HasBrowser() const override { return false; }
    void NavigateNow(const std::wstring&, std::uint32_t) override {}
    void RefreshNow() override {}
    void SetSilentNow(bool) override {}
  } registrar;
  registrar.app = thread.App();
  registrar.ranOn = &ranOn;
  c.kind = kHtmlCreate;
  c.control = reinterpret_cast<std::uintptr_t>(&registrar);
  thread.App()->PostCommand(c);
  for (int i = 0; i < 200 && thread.App()->CommandCount() > 0; ++i) Sleep(10);
  Sleep(50);
  EXPECT_EQ(ranOn.load(), 0u);
  DWORD browserThread = thread.ThreadId();
  thread.Stop();
  EXPECT_EQ(ranOn.load(), browserThread);
}

}  // namespace
