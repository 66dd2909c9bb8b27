#include <winsock2.h>
#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "IniFile.h"
#include "ProcessRunner.h"
#include "RegistryValues.h"
#include "ScopedUserRegistry.h"
#include "SetupFixture.h"
#include "ShellLink.h"
#include "StatsServer.h"
#include "UniqueHandle.h"

namespace installertest {
namespace {

namespace fs = std::filesystem;
using testsupport::StatsRequest;
using testsupport::StatsServer;

bool Exists(const std::wstring& path) {
  std::error_code ignored;
  return fs::exists(path, ignored);
}

template <typename Condition>
bool WaitFor(Condition done, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

std::vector<StatsRequest> WithAction(const StatsServer& server, const std::string& action) {
  std::vector<StatsRequest> found;
  for (const auto& r : server.Requests()) {
    if (r.Field("action") && *r.Field("action") == action) found.push_back(r);
  }
  return found;
}

std::string FieldOf(const StatsRequest& request, const char* key) {
  const std::string* value = request.Field(key);
  return value ? *value : "<missing>";
}

std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

// Starts what a shortcut points at, in its working folder, as the shell would.
HANDLE StartShortcut(const std::wstring& link) {
  const auto info = ReadShellLink(link);
  if (!info) return nullptr;
  std::wstring commandLine = L"\"" + info->target + L"\"";
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(info->target.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      info->workingDirectory.c_str(), &si, &pi)) {
    return nullptr;
  }
  CloseHandle(pi.hThread);
  return pi.hProcess;
}

// Wine's command interpreter spins on the zero byte that ends the
// uninstaller's batch file, which Windows reads as a line end. Ends the
// interpreters the uninstaller started and runs the same lines from a copy
// without that byte, as Windows would.
void FinishSelfDeleteBatch(DWORD uninstallerId, const std::wstring& folder,
                           const std::wstring& copy) {
  UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (snapshot) {
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
      if (entry.th32ParentProcessID != uninstallerId || lstrcmpiW(entry.szExeFile, L"cmd.exe") != 0)
        continue;
      UniqueKernelHandle interpreter(
          OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
      if (!interpreter) continue;
      TerminateProcess(interpreter.Get(), 1);
      WaitForSingleObject(interpreter.Get(), 5000);
    }
  }
  const std::wstring batch = folder + L"\\korvan_uninstall.bat";
  if (!Exists(batch)) return;
  std::string lines = ReadFileBytes(batch);
  if (!lines.empty() && lines.back() == '\0') lines.pop_back();
  ASSERT_TRUE(WriteFileBytes(copy, lines));
  EXPECT_EQ(RunAndWait(L"cmd.exe /c \"" + copy + L"\"", 20000), 0u);
}

class LifeCycle : public SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    // The uninstaller opens its feedback page in the default browser; under
    // Wine that would reach the host's browsers.
    ASSERT_TRUE(browsers_.Set(L"Software\\Wine\\WineBrowser", L"Browsers", REG_SZ, L"true"));
    StatsServer::Options options;
    options.port = testsupport::ConfiguredStatsPort();
    ASSERT_TRUE(stats_.Start(options)) << "statistics server on port " << options.port;
    folder_ = Scratch(L"Valdris3");
    ASSERT_EQ(InstallSilently(folder_), 0u);
  }

  ScopedUserRegistry browsers_;
  StatsServer stats_;
  std::wstring folder_;
};

TEST_F(LifeCycle, TheInstalledClientReportsItsInstallOnce) {
  UniqueKernelHandle client(StartShortcut(desktop_ + L"\\Valdris3.lnk"));
  ASSERT_TRUE(client);
  // The install report goes out before the client's first window.
  const bool reported = WaitFor([&] { return !WithAction(stats_, "install").empty(); }, 20000);
  const bool framed = WaitFor([] { return FindWindowW(L"valdris", L"Valdris3") != nullptr; }, 20000);
  TerminateProcess(client.Get(), 0);
  WaitForSingleObject(client.Get(), 5000);
  ASSERT_TRUE(reported);
  EXPECT_TRUE(framed);

  const auto installs = WithAction(stats_, "install");
  ASSERT_EQ(installs.size(), 1u);
  const std::wstring ini = folder_ + L"\\Config.ini";
  EXPECT_EQ(FieldOf(installs[0], "agent_id"), Narrow(VD_TEST_CHANNEL_UID));
  EXPECT_EQ(FieldOf(installs[0], "site_id"), Narrow(VD_TEST_CHANNEL_ADV));
  EXPECT_EQ(ReadIniValue(ini, L"Common", L"RunCount"), L"1");
  EXPECT_EQ(ReadIniValue(ini, L"Common", L"UID"), std::wstring(VD_TEST_CHANNEL_UID));
}

TEST_F(LifeCycle, TheUninstallerRemovesAllTheInstallerMadeButTheMakersGroup) {
  const std::wstring ini = folder_ + L"\\Config.ini";
  ASSERT_TRUE(WriteIniValue(ini, L"Common", L"user_name", L"player01"));
  UniqueKernelHandle uninstaller(StartShortcut(StartMenuGroup() + L"\\Valdris3\\卸载Valdris3.lnk"));
  ASSERT_TRUE(uninstaller);
  HWND wizard = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (wizard = FindWindowW(nullptr, L"Valdris3卸载向导")) != nullptr; },
                      20000));
  // The continue button's middle; no client runs, so no confirmation follows.
  const LPARAM point = MAKELPARAM(287, 297);
  PostMessageW(wizard, WM_MOUSEMOVE, 0, point);
  PostMessageW(wizard, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(wizard, WM_LBUTTONUP, 0, point);
  ASSERT_EQ(WaitForSingleObject(uninstaller.Get(), 30000), static_cast<DWORD>(WAIT_OBJECT_0));
  // The self-deleting batch file removes the rest after the uninstaller has ended.
  FinishSelfDeleteBatch(GetProcessId(uninstaller.Get()), folder_, Scratch(L"run.bat"));
  EXPECT_TRUE(WaitFor([&] { return !Exists(folder_); }, 20000));

  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallKey));
  EXPECT_FALSE(Exists(desktop_ + L"\\Valdris3.lnk"));
  EXPECT_FALSE(Exists(StartMenuGroup() + L"\\Valdris3"));
  EXPECT_TRUE(Exists(StartMenuGroup()));
  const auto uninstalls = WithAction(stats_, "uninstall");
  ASSERT_EQ(uninstalls.size(), 1u);
  EXPECT_EQ(FieldOf(uninstalls[0], "agent_id"), Narrow(VD_TEST_CHANNEL_UID));
  EXPECT_EQ(FieldOf(uninstalls[0], "site_id"), Narrow(VD_TEST_CHANNEL_ADV));
  EXPECT_EQ(FieldOf(uninstalls[0], "user_name"), "player01");
}

}  // namespace
}  // namespace installertest
