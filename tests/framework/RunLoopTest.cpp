#include <gtest/gtest.h>

#include <thread>

#include "AppManager.h"
#include "AppRegistry.h"
#include "WindowCtrl.h"

namespace {

class NoWindowApp : public CAppManager {
 public:
  bool InitInstance() override {
    ++initCalls;
    registeredDuringInit = FindApp(GetCurrentThreadId()) == this;
    return true;
  }
  int initCalls = 0;
  bool registeredDuringInit = false;
};

TEST(Run, InitInstanceWithoutWindowsRunsNoLoopAndUnregisters) {
  NoWindowApp app;
  app.Run();
  EXPECT_EQ(app.initCalls, 1);
  EXPECT_TRUE(app.registeredDuringInit);
  EXPECT_FALSE(app.InLoop());
  EXPECT_EQ(FindApp(GetCurrentThreadId()), nullptr);
}

TEST(Run, OnAThreadThatAlreadyHasAnApplicationDoesNothing) {
  CAppManager first;
  ASSERT_TRUE(RegisterApp(&first));
  NoWindowApp second;
  second.Run();
  EXPECT_EQ(second.initCalls, 0);
  EXPECT_EQ(FindApp(GetCurrentThreadId()), &first);
  UnregisterApp(GetCurrentThreadId());
}

class LoopProbe : public CWindowCtrl {
 public:
  LoopProbe() { SetClassName(L"LoopProbe"); }
  LRESULT MessageHook(UINT message, WPARAM, LPARAM) override {
    if (message == WM_APP) {
      reentered = GetApp()->RunMessageLoop();
      inLoopSeen = GetApp()->InLoop();
      std::thread other([this] { fromOtherThread = GetApp()->RunMessageLoop(); });
      other.join();
      DestroyWindow(GetHwnd());
      PostQuitMessage(0);
      return 1;
    }
    return 0;
  }
  bool reentered = true;
  bool fromOtherThread = true;
  bool inLoopSeen = false;
};

class OneWindowApp : public CAppManager {
 public:
  bool InitInstance() override {
    window.Create(0, nullptr, L"", WS_POPUP, 0, 0, 10, 10, nullptr);
    PostMessageW(window.GetHwnd(), WM_APP, 0, 0);
    return true;
  }
  LoopProbe window;
};

TEST(RunMessageLoop, RefusesOtherThreadsAndReentryAndEndsOnQuit) {
  OneWindowApp app;
  app.Run();
  EXPECT_TRUE(app.window.inLoopSeen);
  EXPECT_FALSE(app.window.reentered);
  EXPECT_FALSE(app.window.fromOtherThread);
  EXPECT_FALSE(app.InLoop());
  EXPECT_EQ(app.window.GetHwnd(), nullptr);
}

TEST(RunMessageLoop, RefusedOnAnUnregisteredObject) {
  CAppManager app;
  EXPECT_FALSE(app.RunMessageLoop());
}

}  // namespace
