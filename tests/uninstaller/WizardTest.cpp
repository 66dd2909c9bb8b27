#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "ProcessWindows.h"
#include "BatchText.h"
#include "InstalledGame.h"
#include "LoopbackHttpServer.h"
#include "MessageBoxAnswer.h"
#include "PrefixFixtures.h"
#include "Screenshot.h"
#include "UninstallNames.h"
#include "WinTestSupport.h"
#include "vd_config.h"

namespace {

using fixtures::PathExists;

// Client coordinates of the wizard's buttons.
constexpr POINT kContinue = {287, 297};
constexpr POINT kCancel = {372, 297};
constexpr POINT kClose = {422, 12};
constexpr POINT kCheckBox = {31, 299};

unsigned short StatsPort() {
  const std::string url = VD_STATS_URL;
  return static_cast<unsigned short>(std::stoi(url.substr(url.rfind(':') + 1)));
}

void Click(HWND window, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  PostMessageW(window, WM_MOUSEMOVE, 0, where);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  PostMessageW(window, WM_LBUTTONUP, 0, where);
}

bool CompatibilityMarked(const std::wstring& program) {
  DWORD value = 0, size = sizeof value;
  return RegGetValueW(HKEY_CURRENT_USER, uninstall::kCompatibilityKey, program.c_str(), RRF_RT_REG_DWORD, nullptr,
                      &value, &size) == ERROR_SUCCESS &&
         value == 1;
}

// The real vd_uninstall.exe, copied into a prepared installation and started
// as a user would start it.
class Wizard : public ::testing::Test {
 protected:
  void SetUp() override {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, uninstall::kCompatibilityKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    RegCloseKey(key);
    program_ = game_.folder + L"\\vd_uninstall.exe";
    wchar_t built[MAX_PATH] = {};
    GetFullPathNameW(fixtures::BesideTestExe(L"..\\..\\uninstaller\\vd_uninstall.exe").c_str(), MAX_PATH, built,
                     nullptr);
    ASSERT_TRUE(CopyFileW(built, program_.c_str(), FALSE)) << "the built uninstaller";
    ASSERT_TRUE(server_.Listening()) << "port of VD_STATS_URL taken";

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::wstring command = L"\"" + program_ + L"\"";
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, game_.folder.c_str(),
                               &startup, &info));
    CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
    processId_ = info.dwProcessId;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!wizard_ && std::chrono::steady_clock::now() < end) {
      wizard_ = testsupport::FindProcessWindow(processId_, L"ImageDialog", true);
      Sleep(20);
    }
    ASSERT_TRUE(wizard_) << "the wizard window appears";
    Sleep(300);  // first paint
  }

  void TearDown() override {
    if (process_ && WaitForSingleObject(process_.Get(), 0) != WAIT_OBJECT_0) TerminateProcess(process_.Get(), 1);
    fixtures::EndChildInterpreters(processId_);
  }

  [[nodiscard]] bool Ended(DWORD waitMs) const { return WaitForSingleObject(process_.Get(), waitMs) == WAIT_OBJECT_0; }

  // Without a window manager on the test display, Wine waits two seconds for
  // each hidden or destroyed managed window; the wizard needs no manager.
  fixtures::ScopedRegistryString unmanaged_{HKEY_CURRENT_USER,
                                            L"Software\\Wine\\AppDefaults\\vd_uninstall.exe\\X11 Driver",
                                            L"Managed", L"N"};
  fixtures::ScopedDesktop desktop_;
  fixtures::UrlRecorder urls_;
  LoopbackHttpServer server_{StatsPort()};
  fixtures::InstalledGame game_{L"Valdris3 wizard", desktop_.Folder()};
  std::wstring program_;
  UniqueKernelHandle process_;
  DWORD processId_ = 0;
  HWND wizard_ = nullptr;
};

TEST_F(Wizard, ContinueUninstallsAndHandsTheRestToTheBatchFile) {
  RECT window = {};
  GetWindowRect(wizard_, &window);
  EXPECT_EQ(window.right - window.left, 435);
  EXPECT_EQ(window.bottom - window.top, 330);
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(window.left, (work.right - work.left - 435) / 2);
  EXPECT_EQ(window.top, (work.bottom - work.top - 330) / 2);
  wchar_t title[64] = {};
  GetWindowTextW(wizard_, title, 64);
  EXPECT_STREQ(title, L"Valdris3\x5378\x8F7D\x5411\x5BFC");
  const fixtures::Shot question = fixtures::CaptureWindow(wizard_);
  fixtures::SaveBmp(question, testsupport::TestOutputDir() + L"\\uninstall_question_view.bmp");
  EXPECT_EQ(question.At(300, 5), 0xFEBD3Cu) << "the orange title strip";
  int whiteInTitle = 0;
  for (int y = 3; y < 22; ++y)
    for (int x = 7; x < 80; ++x) whiteInTitle += question.At(x, y) == 0xFFFFFFu;
  EXPECT_GT(whiteInTitle, 20) << "the white title text from 7 pixels on";

  // The check box opens ticked; each click flips it.
  for (bool ticked : {false, true}) {
    Click(wizard_, kCheckBox);
    Click(wizard_, {200, 200});  // the mouse leaves the box
    Sleep(300);
    const auto now = fixtures::CaptureWindow(wizard_).At(kCheckBox.x, kCheckBox.y);
    if (ticked) {
      EXPECT_EQ(now, question.At(kCheckBox.x, kCheckBox.y));
    } else {
      EXPECT_NE(now, question.At(kCheckBox.x, kCheckBox.y));
    }
  }

  const auto start = std::chrono::steady_clock::now();
  Click(wizard_, kContinue);
  Sleep(400);
  const fixtures::Shot progress = fixtures::CaptureWindow(wizard_);
  fixtures::SaveBmp(progress, testsupport::TestOutputDir() + L"\\uninstall_progress_view.bmp");
  EXPECT_NE(progress.At(kContinue.x, kContinue.y), question.At(kContinue.x, kContinue.y))
      << "the continue button is gone";

  while (IsWindow(wizard_) && std::chrono::steady_clock::now() - start < std::chrono::seconds(15)) Sleep(10);
  const auto untilClosed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  std::printf("continue click to the wizard window closing, no client running: %lld ms\n",
              static_cast<long long>(untilClosed.count()));
  RecordProperty("continue_to_close_ms", static_cast<int>(untilClosed.count()));
  ASSERT_TRUE(Ended(15000));
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  std::printf("continue click to the end of the uninstaller, no client running: %lld ms\n",
              static_cast<long long>(took.count()));
  RecordProperty("continue_to_exit_ms", static_cast<int>(took.count()));

  EXPECT_TRUE(CompatibilityMarked(program_));
  EXPECT_FALSE(fixtures::KeyExists(fixtures::kUninstallKey));
  EXPECT_FALSE(PathExists(game_.shortcut));
  EXPECT_FALSE(PathExists(game_.plain));
  EXPECT_FALSE(PathExists(game_.group + L"\\Valdris3"));
  EXPECT_FALSE(PathExists(game_.folder + L"\\vd.exe"));
  ASSERT_EQ(server_.Requests().size(), 1u);
  EXPECT_EQ(DecodeForm(server_.Requests()[0].body)["action"], "uninstall");
  EXPECT_EQ(urls_.Urls(), std::vector<std::string>{std::string(VD_FEEDBACK_SITE) + "/htmlcode/304.html"});
  const std::string folder(game_.folder.begin(), game_.folder.end());  // ASCII
  EXPECT_EQ(fixtures::ReadFileBytes(game_.folder + L"\\korvan_uninstall.bat"),
            *uninstall::BuildSelfDeleteBatchText(folder));
}

TEST_F(Wizard, AnsweringNoKeepsTheQuestionView) {
  fixtures::StandInClient client(L"Valdris3", false);
  ASSERT_TRUE(client.Window());
  const fixtures::Shot before = fixtures::CaptureWindow(wizard_);
  {
    fixtures::MessageBoxAnswer answer(processId_, IDNO);
    Click(wizard_, kContinue);
    EXPECT_TRUE(answer.Wait());
  }
  Sleep(300);
  const fixtures::Shot after = fixtures::CaptureWindow(wizard_);
  EXPECT_EQ(after.At(kContinue.x, kContinue.y), before.At(kContinue.x, kContinue.y)) << "still the question view";
  EXPECT_FALSE(Ended(1500));
  EXPECT_FALSE(client.Ended(0));
  EXPECT_TRUE(game_.Untouched());

  Click(wizard_, kClose);
  EXPECT_TRUE(Ended(10000));
  EXPECT_TRUE(game_.Untouched());
}

struct LeaveCase {
  const char* name;
  POINT at;
};

class WizardLeave : public Wizard, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(WizardLeave, LeavesTheInstallationAlone) {
  Click(wizard_, GetParam().at);
  ASSERT_TRUE(Ended(10000));
  EXPECT_TRUE(game_.Untouched());
  EXPECT_TRUE(CompatibilityMarked(program_)) << "written when the wizard opened";
  EXPECT_TRUE(server_.Requests().empty());
  EXPECT_TRUE(urls_.Urls().empty());
}

INSTANTIATE_TEST_SUITE_P(Buttons, WizardLeave,
                         ::testing::Values(LeaveCase{"Cancel", kCancel}, LeaveCase{"Close", kClose}),
                         [](const ::testing::TestParamInfo<LeaveCase>& info) { return std::string(info.param.name); });

}  // namespace
