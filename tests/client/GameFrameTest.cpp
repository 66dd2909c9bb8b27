#include <winsock2.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "ProcessWindows.h"
#include "ClientProcess.h"
#include "ScreenShot.h"
#include "StandinSupport.h"
#include "StatsServer.h"
#include "WinTestSupport.h"
#include "vd_config.h"

namespace {

constexpr int kWaitMs = 20000;
constexpr UINT kFrameCommand = 2277;
constexpr UINT kTrayCallback = 5556;

// The landing page (any query), a login page and the page naming the user.
const char kLoginScript[] =
    "page http://127.0.0.1:18080/wd/index.html*\n"
    "  title Landing\n"
    "  wait 300\n"
    "  navigate http://127.0.0.1:18080/play?act=gamelogin&server_id=27&x=1\n"
    "page http://127.0.0.1:18080/play*\n"
    "  title Game\n"
    "  wait 300\n"
    "  navigate http://127.0.0.1:18080/xf.html\n"
    "page http://127.0.0.1:18080/xf.html\n"
    "  title Player\n"
    "  element login_user text abcd1234\n";

const char kLandingOnlyScript[] =
    "page http://127.0.0.1:18080/wd/index.html*\n"
    "  title Landing\n";

std::wstring ReadIni(const std::wstring& folder, const wchar_t* section, const wchar_t* key) {
  wchar_t value[256] = {};
  GetPrivateProfileStringW(section, key, L"<missing>", value, 256,
                           (folder + L"\\Config.ini").c_str());
  return value;
}

HWND FindClientWindow(DWORD pid, const wchar_t* className, bool visibleOnly) {
  return testsupport::FindProcessWindow(pid, className, visibleOnly);
}

RECT WindowRectOf(HWND hwnd) {
  RECT r = {};
  GetWindowRect(hwnd, &r);
  return r;
}

// A click at client coordinates, as the window's own queue receives it.
void ClickAt(HWND hwnd, int x, int y) {
  const LPARAM at = MAKELPARAM(x, y);
  PostMessageW(hwnd, WM_MOUSEMOVE, 0, at);
  testsupport::PumpFor(50);
  PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  testsupport::PumpFor(50);
  PostMessageW(hwnd, WM_LBUTTONUP, 0, at);
  testsupport::PumpFor(100);
}

// Under load Wine can let real pointer motion in between posted mouse
// messages, which moves the hover off the button; click again then.
bool ClickUntilClosed(HWND box, int x, int y) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    ClickAt(box, x, y);
    if (testsupport::PumpUntil([&] { return !IsWindow(box); }, 3000)) return true;
  }
  return false;
}

bool WaitForExit(ClientProcess& client, int ms) {
  return testsupport::PumpUntil([&] { return client.ExitCode() != STILL_ACTIVE; }, ms);
}


// Puts a URL recorder in place of the default browser for one test.
class UrlRecorder {
 public:
  UrlRecorder() {
    path_ = testsupport::TestOutputDir() + L"\\opened_urls.txt";
    DeleteFileW(path_.c_str());
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                    nullptr);
    wchar_t old[1024] = {};
    DWORD size = sizeof(old) - sizeof(wchar_t);
    hadOld_ = RegQueryValueExW(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old),
                               &size) == ERROR_SUCCESS;
    old_ = old;
    Set(L"C:\\windows\\system32\\cmd.exe /c echo \"%1\">>\"" + path_ + L"\"");
  }
  ~UrlRecorder() {
    if (hadOld_) {
      Set(old_);
    } else {
      RegDeleteValueW(key_, nullptr);
    }
    RegCloseKey(key_);
  }
  UrlRecorder(const UrlRecorder&) = delete;
  UrlRecorder& operator=(const UrlRecorder&) = delete;

  // The URLs opened so far, in order.
  [[nodiscard]] std::vector<std::string> Urls() const {
    std::vector<std::string> urls;
    std::ifstream in{std::filesystem::path(path_)};
    std::string line;
    while (std::getline(in, line)) {
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
      if (line.size() >= 2 && line.front() == '"' && line.back() == '"') {
        line = line.substr(1, line.size() - 2);
      }
      if (!line.empty()) urls.push_back(line);
    }
    return urls;
  }

 private:
  static constexpr wchar_t kKey[] = L"Software\\Classes\\http\\shell\\open\\command";
  void Set(const std::wstring& value) {
    RegSetValueExW(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  HKEY key_ = nullptr;
  bool hadOld_ = false;
  std::wstring old_;
  std::wstring path_;
};

class GameFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::StatsServer::Options options;
    options.port = testsupport::ConfiguredStatsPort();
    ASSERT_TRUE(stats_.Start(options)) << "statistics server on port " << options.port;
  }

  // Starts the client with a script and waits for the login panel to show.
  void Start(const wchar_t* name, const char* script) {
    // The old session's end clears the variables the new one sets.
    standin_.reset();
    standin_ = std::make_unique<testsupport::StandinSession>(name, script);
    folder_ = PrepareClientFolder(name);
    ASSERT_TRUE(client_->Start(ClientExeIn(folder_), folder_));
    frame_ = client_->WaitForFrame(kWaitMs);
    ASSERT_NE(frame_, nullptr);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return IsWindowVisible(frame_) != FALSE; }, kWaitMs))
        << "the login panel never showed";
    launcher_ = FindClientWindow(client_->ProcessId(), L"korvan_back", false);
    ASSERT_NE(launcher_, nullptr);
  }

  void WaitForGameMode() {
    ASSERT_TRUE(testsupport::PumpUntil([&] { return IsZoomed(frame_) != FALSE; }, kWaitMs))
        << "the frame never went to game mode";
    testsupport::PumpFor(700);
  }

  HWND WaitForConfirmation() {
    HWND box = nullptr;
    testsupport::PumpUntil([&] {
      return (box = FindClientWindow(client_->ProcessId(), L"korvanbrasko", true)) != nullptr;
    }, kWaitMs);
    // Its picture is rendered as its creation completes.
    testsupport::PumpFor(500);
    return box;
  }

  testsupport::StatsServer stats_;
  std::unique_ptr<testsupport::StandinSession> standin_;
  std::unique_ptr<ClientProcess> client_ = std::make_unique<ClientProcess>();
  std::wstring folder_;
  HWND frame_ = nullptr;
  HWND launcher_ = nullptr;
};

TEST_F(GameFrameTest, TheLoginPanelSitsOnTheCentredLauncherAndFollowsIt) {
  ASSERT_NO_FATAL_FAILURE(Start(L"launcher", kLandingOnlyScript));
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const RECT launcher = WindowRectOf(launcher_);
  EXPECT_EQ(launcher.right - launcher.left, 1207);
  EXPECT_EQ(launcher.bottom - launcher.top, 670);
  EXPECT_EQ(launcher.left, (work.right - work.left - 1207) / 2);
  EXPECT_EQ(launcher.top, (work.bottom - work.top - 670) / 2);
  const RECT panel = WindowRectOf(frame_);
  EXPECT_EQ(panel.right - panel.left, 563);
  EXPECT_EQ(panel.bottom - panel.top, 378);
  EXPECT_EQ(panel.left, launcher.left + 547);
  EXPECT_EQ(panel.top, launcher.top + 177);
  wchar_t title[32] = {};
  GetWindowTextW(frame_, title, 32);
  EXPECT_STREQ(title, L"Valdris3");
  gametest::SaveScreenShot(L"game_launcher");

  MoveWindow(launcher_, 40, 30, 1207, 670, TRUE);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return WindowRectOf(frame_).left == 40 + 547; }, 3000));
  EXPECT_EQ(WindowRectOf(frame_).top, 30 + 177);
  gametest::SaveScreenShot(L"game_login_panel");

  // The launcher's own close button asks; "no" keeps everything.
  ClickAt(launcher_, 1084, 94);
  HWND box = WaitForConfirmation();
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(ClickUntilClosed(box, 212, 117));
  EXPECT_TRUE(IsWindowVisible(frame_));
  ASSERT_TRUE(client_->CloseAndWait(kWaitMs));
}

TEST_F(GameFrameTest, ALoginSwitchesToGameModeAndTheConfirmedCloseReportsTheUser) {
  ASSERT_NO_FATAL_FAILURE(Start(L"login", kLoginScript));
  ASSERT_NO_FATAL_FAILURE(WaitForGameMode());
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const RECT frame = WindowRectOf(frame_);
  EXPECT_EQ(frame.right - frame.left, work.right - work.left);
  EXPECT_EQ(frame.bottom - frame.top, work.bottom - work.top);

  // The close button stands 1 pixel from the right edge: no leaves everything.
  const int width = frame.right - frame.left;
  ClickAt(frame_, width - 13, 12);
  HWND box = WaitForConfirmation();
  ASSERT_NE(box, nullptr);
  const RECT boxRect = WindowRectOf(box);
  EXPECT_EQ(boxRect.right - boxRect.left, 295);
  EXPECT_EQ(boxRect.bottom - boxRect.top, 190);
  EXPECT_EQ(boxRect.left, (GetSystemMetrics(SM_CXSCREEN) - 295) / 2);
  EXPECT_EQ(boxRect.top, (GetSystemMetrics(SM_CYSCREEN) - 190) / 2);
  gametest::SaveScreenShot(L"game_close_confirmation");
  ASSERT_TRUE(ClickUntilClosed(box, 212, 117));
  EXPECT_TRUE(IsWindow(frame_));
  EXPECT_EQ(client_->ExitCode(), static_cast<DWORD>(STILL_ACTIVE));

  const auto closedAt = static_cast<long long>(std::time(nullptr));
  ClickAt(frame_, width - 13, 12);
  box = WaitForConfirmation();
  ASSERT_NE(box, nullptr);
  ClickAt(box, 84, 117);
  ASSERT_TRUE(WaitForExit(*client_, kWaitMs));
  EXPECT_EQ(client_->ExitCode(), 0u);

  EXPECT_EQ(ReadIni(folder_, L"Common", L"user_name"), L"abcd1234");
  EXPECT_EQ(ReadIni(folder_, L"Extension", L"Counts"), L"0");
  const long long outTime = std::wcstoll(ReadIni(folder_, L"Extension", L"out_time").c_str(),
                                         nullptr, 10);
  EXPECT_LE(std::llabs(outTime - closedAt), 60);
  bool reported = false;
  for (const auto& r : stats_.Requests()) {
    const std::string* action = r.Field("action");
    const std::string* user = r.Field("user_name");
    if (action && *action == "close" && user && *user == "abcd1234") reported = true;
  }
  EXPECT_TRUE(reported) << "no close report named the user";
}

TEST_F(GameFrameTest, FullScreenBossKeyAndTheTrayMenuClose) {
  ASSERT_NO_FATAL_FAILURE(Start(L"keys", kLoginScript));
  ASSERT_NO_FATAL_FAILURE(WaitForGameMode());
  const RECT windowed = WindowRectOf(frame_);
  HWND border = launcher_;

  PostMessageW(frame_, WM_KEYDOWN, VK_F10, 0);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return !IsWindowVisible(border); }, 3000))
      << "F10 did not go full screen";
  testsupport::PumpFor(1000);
  const RECT full = WindowRectOf(frame_);
  EXPECT_EQ(full.left, 0);
  EXPECT_EQ(full.top, 0);
  EXPECT_EQ(full.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(full.bottom, GetSystemMetrics(SM_CYSCREEN));
  PostMessageW(frame_, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return IsWindowVisible(border) != FALSE; }, 3000))
      << "ESC did not leave full screen";
  testsupport::PumpFor(200);
  {
    const RECT now = WindowRectOf(frame_);
    EXPECT_TRUE(EqualRect(&windowed, &now));
  }
  EXPECT_TRUE(IsWindowVisible(border));
  // ESC outside full screen changes nothing.
  PostMessageW(frame_, WM_KEYDOWN, VK_ESCAPE, 0);
  testsupport::PumpFor(300);
  EXPECT_TRUE(IsWindowVisible(border));

  PostMessageW(frame_, WM_HOTKEY, 5562, MAKELPARAM(MOD_ALT, 'D'));
  ASSERT_TRUE(testsupport::PumpUntil([&] { return !IsWindowVisible(frame_); }, kWaitMs));
  EXPECT_FALSE(IsWindowVisible(border));
  PostMessageW(frame_, WM_HOTKEY, 5562, MAKELPARAM(MOD_ALT, 'D'));
  ASSERT_TRUE(testsupport::PumpUntil([&] { return IsWindowVisible(frame_) != FALSE; }, kWaitMs));
  {
    const RECT now = WindowRectOf(frame_);
    EXPECT_TRUE(EqualRect(&windowed, &now));
  }

  // Hidden again, the tray menu's second row ends the client unasked.
  PostMessageW(frame_, WM_HOTKEY, 5562, MAKELPARAM(MOD_ALT, 'D'));
  ASSERT_TRUE(testsupport::PumpUntil([&] { return !IsWindowVisible(frame_); }, kWaitMs));
  PostMessageW(frame_, kTrayCallback, 128, WM_RBUTTONUP);
  HWND menu = nullptr;
  ASSERT_TRUE(testsupport::PumpUntil([&] {
    return (menu = FindClientWindow(client_->ProcessId(), L"korvan_menu", true)) != nullptr;
  }, kWaitMs));
  const RECT menuRect = WindowRectOf(menu);
  EXPECT_EQ(menuRect.bottom - menuRect.top, 48);
  ClickAt(menu, 40, 36);
  ASSERT_TRUE(WaitForExit(*client_, kWaitMs));
  EXPECT_EQ(client_->ExitCode(), 0u);
  EXPECT_EQ(FindClientWindow(client_->ProcessId(), L"korvanbrasko", false), nullptr);
}

TEST_F(GameFrameTest, LoginUrlsThatDoNotCountLeaveTheLoginLayout) {
  struct Case {
    const wchar_t* name;
    const char* script;
    bool gameMode;
  } cases[] = {
      {L"capital_marker",
       "page http://127.0.0.1:18080/wd/index.html*\n  wait 100\n"
       "  navigate http://127.0.0.1:18080/play?ACT=GAMELOGIN&server_id=27\n",
       false},
      {L"no_server_id",
       "page http://127.0.0.1:18080/wd/index.html*\n  wait 100\n"
       "  navigate http://127.0.0.1:18080/play?act=gamelogin\n"
       "page http://127.0.0.1:18080/play*\n  title Game\n",
       true},
  };
  for (const Case& c : cases) {
    ASSERT_NO_FATAL_FAILURE(Start(c.name, c.script));
    const bool zoomed = testsupport::PumpUntil([&] { return IsZoomed(frame_) != FALSE; }, 6000);
    EXPECT_EQ(zoomed, c.gameMode) << "case " << testing::PrintToString(std::wstring(c.name));
    ASSERT_TRUE(client_->CloseAndWait(kWaitMs));
    client_ = std::make_unique<ClientProcess>();
  }
}


TEST_F(GameFrameTest, NewWindowsAndLinksOpenInTheDefaultBrowser) {
  UrlRecorder recorder;
  const std::string script = std::string(
      "page http://127.0.0.1:18080/wd/index.html*\n"
      "  title Landing\n"
      "  newwindow http://127.0.0.1:18082/kf.html?a=1&b=2\n"
      "  wait 3000\n"
      "  navigate http://127.0.0.1:18080/play?act=gamelogin&server_id=27&x=1\n") +
      (kLoginScript + std::string(kLoginScript).find("page http://127.0.0.1:18080/play*"));
  ASSERT_NO_FATAL_FAILURE(Start(L"links", script.c_str()));
  ASSERT_TRUE(testsupport::PumpUntil([&] { return !recorder.Urls().empty(); }, kWaitMs));
  // Before any login the launcher's top-up link names nobody.
  ClickAt(launcher_, 711, 144);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return recorder.Urls().size() >= 2; }, kWaitMs));
  ASSERT_NO_FATAL_FAILURE(WaitForGameMode());
  testsupport::PumpUntil([&] { return ReadIni(folder_, L"Common", L"user_name") == L"x"; }, 1500);
  const RECT frame = WindowRectOf(frame_);
  const int width = frame.right - frame.left;
  ClickAt(frame_, width - 280, 13);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return recorder.Urls().size() >= 3; }, kWaitMs));
  const std::vector<std::string> urls = recorder.Urls();
  EXPECT_EQ(urls[0], "http://127.0.0.1:18082/kf.html?a=1&b=2");
  EXPECT_EQ(urls[1], std::string(VD_PAY_SITE) + "/?game_id=1306");
  EXPECT_EQ(urls[2], std::string(VD_PAY_SITE) + "/?game_id=1306&user_name=abcd1234&server_id=27");
  EXPECT_EQ(FindClientWindow(client_->ProcessId(), L"Shell Embedding", false), nullptr);

  // The tool menu, for the picture of game mode.
  ClickAt(frame_, width - 112, 12);
  EXPECT_TRUE(testsupport::PumpUntil([&] {
    return FindClientWindow(client_->ProcessId(), L"korvan_menu", true) != nullptr;
  }, kWaitMs));
  testsupport::PumpFor(300);
  gametest::SaveScreenShot(L"game_mode_tool_menu");
  ASSERT_TRUE(client_->CloseAndWait(kWaitMs));
}

}  // namespace
