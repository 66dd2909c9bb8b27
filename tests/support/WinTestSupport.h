#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

#include "AppManager.h"
#include "AppRegistry.h"

namespace testsupport {

// Registers an application for the calling thread for one test's lifetime,
// as Run would, without running a loop.
class ScopedApp {
 public:
  explicit ScopedApp(CAppManager& app) : app_(app), registered_(RegisterApp(&app)) {
    SetAppInstance(GetModuleHandleW(nullptr));
  }
  ~ScopedApp() {
    if (registered_) UnregisterApp(app_.ThreadId());
  }
  ScopedApp(const ScopedApp&) = delete;
  ScopedApp& operator=(const ScopedApp&) = delete;
  [[nodiscard]] bool Registered() const { return registered_; }

 private:
  CAppManager& app_;
  bool registered_;
};

// Dispatches the thread's messages (through the app's chain when given)
// until done() holds or the time is up; returns done().
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000,
                      CAppManager* app = nullptr) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (app && app->PreTranslate(&msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

inline void PumpFor(int ms, CAppManager* app = nullptr) {
  PumpUntil([] { return false; }, ms, app);
}

// Folder for files a person may want to look at after the run.
inline std::wstring TestOutputDir() {
  wchar_t buf[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableW(L"VD_TEST_OUTPUT", buf, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return L".";
  return buf;
}

}  // namespace testsupport
