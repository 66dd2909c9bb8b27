#include <gtest/gtest.h>

#include <string>

#include "AppManager.h"
#include "WindowCtrl.h"
#include "WinTestSupport.h"

namespace {

class Probe : public CWindowCtrl {
 public:
  Probe() { SetClassName(L"WindowProbe"); }
  LRESULT MessageHook(UINT message, WPARAM, LPARAM) override {
    if (message == hookedMessage) return 7;
    return 0;
  }
  void OnCreate(CREATESTRUCTW*) override { ++creates; }
  void OnTimer(UINT_PTR id) override { lastTimer = id; }
  LRESULT OnNcHitTest(int, int) override {
    ++hitTests;
    return HTCAPTION;
  }
  void OnDestroy() override { ++destroys; }

  UINT hookedMessage = 0;
  int creates = 0;
  int hitTests = 0;
  int destroys = 0;
  UINT_PTR lastTimer = 0;
};

class WindowCtrlTest : public ::testing::Test {
 protected:
  CAppManager app_;
  testsupport::ScopedApp scope_{app_};
};

TEST_F(WindowCtrlTest, CreateTwiceReturnsTheSameWindow) {
  Probe p;
  HWND first = p.Create(0, nullptr, L"a", WS_POPUP, 0, 0, 10, 10, nullptr);
  ASSERT_NE(first, nullptr);
  RECT other = {5, 5, 300, 300};
  EXPECT_EQ(p.Create(WS_EX_TOOLWINDOW, L"OtherName", L"b", WS_POPUP, other, nullptr), first);
  EXPECT_EQ(p.creates, 1);
  EXPECT_STREQ(p.ClassName(), L"WindowProbe");
  DestroyWindow(first);
}

TEST_F(WindowCtrlTest, ClassNameArgumentReplacesTheFieldUnlessNullOrEmpty) {
  struct Row {
    const wchar_t* argument;
    const wchar_t* expected;
  } rows[] = {{nullptr, L"WindowProbe"}, {L"", L"WindowProbe"}, {L"ProbeRenamed", L"ProbeRenamed"}};
  for (const Row& row : rows) {
    Probe p;
    HWND hwnd = p.Create(0, row.argument, L"", WS_POPUP, 0, 0, 10, 10, nullptr);
    ASSERT_NE(hwnd, nullptr);
    wchar_t actual[64] = {};
    ::GetClassNameW(hwnd, actual, 64);
    EXPECT_STREQ(actual, row.expected);
    EXPECT_TRUE(IsClassRegistered(row.expected));
    DestroyWindow(hwnd);
  }
}

TEST_F(WindowCtrlTest, ASystemKnownClassRegistersAgainAndLongNamesAreCut) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KnownBeforehand";
  ASSERT_TRUE(RegisterClassExW(&wc));
  EXPECT_FALSE(IsClassRegistered(L"KnownBeforehand"));
  EXPECT_TRUE(RegisterWindowClass(L"KnownBeforehand"));
  EXPECT_TRUE(IsClassRegistered(L"KnownBeforehand"));

  Probe p;
  std::wstring longName(100, L'x');
  p.SetClassName(longName.c_str());
  EXPECT_EQ(std::wstring(p.ClassName()), std::wstring(63, L'x'));
}

TEST_F(WindowCtrlTest, CreateWithoutAnApplicationMakesNothing) {
  UnregisterApp(GetCurrentThreadId());
  Probe p;
  EXPECT_EQ(p.Create(0, nullptr, L"", WS_POPUP, 0, 0, 10, 10, nullptr), nullptr);
  ASSERT_TRUE(RegisterApp(&app_));
}

struct HookCase {
  const char* name;
  UINT message;
};

class MessageHookSuppresses : public WindowCtrlTest, public ::testing::WithParamInterface<HookCase> {};

TEST_P(MessageHookSuppresses, TheHandler) {
  Probe p;
  p.hookedMessage = GetParam().message;
  HWND hwnd = p.Create(0, nullptr, L"", WS_POPUP, 0, 0, 10, 10, nullptr);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(SendMessageW(hwnd, WM_TIMER, 42, 0), p.hookedMessage == WM_TIMER ? 7 : 1);
  EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, 0), p.hookedMessage == WM_NCHITTEST ? 7 : HTCAPTION);
  EXPECT_EQ(p.creates, p.hookedMessage == WM_CREATE ? 0 : 1);
  EXPECT_EQ(p.lastTimer, p.hookedMessage == WM_TIMER ? 0u : 42u);
  EXPECT_EQ(p.hitTests, p.hookedMessage == WM_NCHITTEST ? 0 : 1);
  DestroyWindow(hwnd);
}

INSTANTIATE_TEST_SUITE_P(Messages, MessageHookSuppresses,
                         ::testing::Values(HookCase{"Create", WM_CREATE}, HookCase{"Timer", WM_TIMER},
                                           HookCase{"NcHitTest", WM_NCHITTEST}, HookCase{"None", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

int g_timerProcCalls = 0;
void CALLBACK CountingTimerProc(HWND, UINT, UINT_PTR, DWORD) { ++g_timerProcCalls; }

// DefWindowProcW would call the TIMERPROC carried in lParam.
TEST_F(WindowCtrlTest, TimerNeverReachesDefWindowProc) {
  Probe p;
  HWND hwnd = p.Create(0, nullptr, L"", WS_POPUP, 0, 0, 10, 10, nullptr);
  g_timerProcCalls = 0;
  EXPECT_EQ(SendMessageW(hwnd, WM_TIMER, 3, reinterpret_cast<LPARAM>(&CountingTimerProc)), 1);
  EXPECT_EQ(g_timerProcCalls, 0);
  EXPECT_EQ(p.lastTimer, 3u);
  DestroyWindow(hwnd);
}

TEST_F(WindowCtrlTest, AfterDestructionTheHandleIsNullAndTheHelpersDoNothing) {
  Probe p;
  HWND hwnd = p.Create(0, nullptr, L"", WS_POPUP, 0, 0, 10, 10, nullptr);
  DestroyWindow(hwnd);
  EXPECT_EQ(p.destroys, 1);
  EXPECT_EQ(p.GetHwnd(), nullptr);
  EXPECT_EQ(app_.FindWindowObject(hwnd), nullptr);
  RECT r = {1, 2, 3, 4};
  p.GetWindowRectIfWindow(&r);
  EXPECT_EQ(r.left, 1);
  EXPECT_EQ(r.bottom, 4);
  p.MoveToRect(RECT{0, 0, 50, 50});
  p.ShowIfWindow(SW_SHOW);
  // The object can make a new window afterwards.
  HWND again = p.Create(0, nullptr, L"", WS_POPUP, 0, 0, 10, 10, nullptr);
  EXPECT_NE(again, nullptr);
  EXPECT_EQ(p.creates, 2);
  DestroyWindow(again);
}

TEST_F(WindowCtrlTest, DestroyingTheObjectClosesItsWindowLaterThroughTheLoop) {
  auto* p = new Probe;
  HWND hwnd = p->Create(0, nullptr, L"", WS_POPUP, 0, 0, 10, 10, nullptr);
  delete p;
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_EQ(app_.FindWindowObject(hwnd), nullptr);
  EXPECT_TRUE(testsupport::PumpUntil([&] { return !IsWindow(hwnd); }, 2000));
}

TEST_F(WindowCtrlTest, HelpersActOnALiveWindow) {
  Probe p;
  p.Create(0, nullptr, L"", WS_POPUP, 0, 0, 10, 10, nullptr);
  p.MoveToRect(RECT{20, 30, 120, 80});
  RECT r = {};
  p.GetWindowRectIfWindow(&r);
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right, 120);
  EXPECT_EQ(r.bottom, 80);
  p.ShowIfWindow(SW_SHOWNA);
  EXPECT_TRUE(IsWindowVisible(p.GetHwnd()));
  DestroyWindow(p.GetHwnd());
}

}  // namespace
