#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "AppManager.h"
#include "UniqueHandle.h"

class CFrameGame;

// The client's application on the main thread: InitInstance is the whole run
// from start-up to exit.
class gameApp : public CAppManager {
 public:
  // The wide user name keeps at most this many UTF-16 units.
  static constexpr std::size_t kUserNameCapacity = 63;

  gameApp();
  ~gameApp() override;

  bool InitInstance() override;
  // ESC and F10 of the main thread's windows reach the game frame.
  int PreTranslateMessage(MSG* msg) override;

  // Called by the frame when it learns who logged in.
  void SetUserName(const std::wstring& name);

  [[nodiscard]] const std::wstring& ModuleDirectory() const { return moduleDirectory_; }
  [[nodiscard]] const std::wstring& LandingUrl() const { return landingUrl_; }
  [[nodiscard]] const std::wstring& UserName() const { return userNameWide_; }
  [[nodiscard]] const std::string& AnsiUserName() const { return userNameAnsi_; }

 private:
  void FindModuleDirectory();

  std::wstring moduleDirectory_;
  std::wstring landingUrl_;
  UniqueKernelHandle mutex_;
  std::string userNameAnsi_;
  std::wstring userNameWide_;
  int uid_ = 0;
  int adv_ = 0;
  CFrameGame* frame_ = nullptr;
};

// The process's client application, published by its constructor.
[[nodiscard]] gameApp* ClientApp();
