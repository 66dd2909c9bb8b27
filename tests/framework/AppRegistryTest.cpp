#include <gtest/gtest.h>

#include <thread>

#include "AppManager.h"
#include "AppRegistry.h"
#include "WindowCtrl.h"
#include "WinTestSupport.h"

namespace {

class CountingWindow : public CWindowCtrl {
 public:
  CountingWindow() { SetClassName(L"RegistryProbe"); }
  LRESULT MessageHook(UINT message, WPARAM, LPARAM) override {
    if (message == WM_APP) ++seen;
    return 0;
  }
  int seen = 0;
};

TEST(AppRegistry, SecondApplicationOnOneThreadIsRefused) {
  CAppManager first, second;
  testsupport::ScopedApp scope(first);
  ASSERT_TRUE(scope.Registered());
  EXPECT_FALSE(RegisterApp(&second));
  EXPECT_EQ(FindApp(GetCurrentThreadId()), &first);
}

TEST(AppRegistry, SolePointerGoesWithASecondThreadAndLookupsThenGoByThread) {
  CAppManager mainApp, otherApp;
  testsupport::ScopedApp scope(mainApp);
  EXPECT_EQ(SoleApp(), &mainApp);

  DWORD otherThread = 0;
  std::thread other([&] {
    ASSERT_TRUE(RegisterApp(&otherApp));
    otherThread = GetCurrentThreadId();
    EXPECT_EQ(SoleApp(), nullptr);
    EXPECT_EQ(CurrentApp(), &otherApp);
    UnregisterApp(otherThread);
  });
  other.join();

  // Still no fast path: lookups go by thread id from now on.
  EXPECT_EQ(SoleApp(), nullptr);
  EXPECT_EQ(FindApp(otherThread), nullptr);
  EXPECT_EQ(CurrentApp(), &mainApp);

  CountingWindow window;
  HWND hwnd = window.Create(0, nullptr, L"", WS_POPUP, 0, 0, 10, 10, nullptr);
  ASSERT_NE(hwnd, nullptr);
  SendMessageW(hwnd, WM_APP, 0, 0);
  EXPECT_EQ(window.seen, 1);
  EXPECT_EQ(mainApp.FindWindowObject(hwnd), &window);
  DestroyWindow(hwnd);
}

TEST(AppRegistry, RegistryEmptiesAndTheNextSoleApplicationTakesTheFastPath) {
  {
    CAppManager a;
    testsupport::ScopedApp scope(a);
  }
  EXPECT_EQ(FindApp(GetCurrentThreadId()), nullptr);
  CAppManager b;
  testsupport::ScopedApp scope(b);
  EXPECT_EQ(SoleApp(), &b);
}

TEST(AppManager, WindowListKeepsOneObjectPerHandleAndClearsOnRemove) {
  CAppManager app;
  CountingWindow a, b;
  HWND fake = reinterpret_cast<HWND>(0x1234);
  a.Bind(fake, &app);
  b.Bind(fake, &app);
  EXPECT_TRUE(app.AddWindow(fake, &a));
  EXPECT_FALSE(app.AddWindow(fake, &b));
  EXPECT_EQ(app.FindWindowObject(fake), &a);
  EXPECT_EQ(app.FindWindowObject(nullptr), nullptr);
  app.RemoveWindow(fake);
  EXPECT_EQ(a.GetHwnd(), nullptr);
  EXPECT_EQ(app.FindWindowObject(fake), nullptr);
  b.ClearHwnd();
  EXPECT_EQ(app.WindowCount(), 0u);
}

}  // namespace
