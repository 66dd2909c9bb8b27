#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>
#include <shlobj.h>
#include <winioctl.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <regex>
#include <thread>

#include "BatchText.h"
#include "CompatibilityMarker.h"
#include "DeviceIdentity.h"
#include "DirectoryTree.h"
#include "GameWindow.h"
#include "InstalledGame.h"
#include "LoopbackHttpServer.h"
#include "MessageBoxAnswer.h"
#include "PrefixFixtures.h"
#include "ProgressLink.h"
#include "SelfDeleteBatch.h"
#include "UninstallNames.h"
#include "UninstallPlan.h"
#include "UninstallWorker.h"
#include "WinTestSupport.h"

namespace {

using fixtures::PathExists;
using fixtures::WriteTextFile;

using fixtures::KeyExists;
using fixtures::kUninstallKey;
using fixtures::MakeNestedTree;

TEST(FindGameWindow, FindsTheClientByClassAndExactTitle) {
  struct Case {
    const wchar_t* title;
    bool hidden;
    bool foundByTitle;
  } cases[] = {
      {L"Valdris3", false, true},
      {L"Valdris3", true, true},  // hidden by the boss key
      {L"valdris3", false, false},
      {L"Valdris3 - other", false, false},
  };
  for (const auto& c : cases) {
    fixtures::StandInClient client(c.title, c.hidden);
    ASSERT_TRUE(client.Window()) << c.title;
    EXPECT_EQ(FindGameWindow(L"Valdris3"), c.foundByTitle ? client.Window() : nullptr) << c.title;
    EXPECT_EQ(FindGameWindow(nullptr), client.Window()) << c.title;
  }
  EXPECT_EQ(FindGameWindow(nullptr), nullptr);
}

TEST(ConfirmCloseGame, AsksOnlyWhenTheClientRuns) {
  EXPECT_TRUE(ConfirmCloseGame());

  fixtures::StandInClient client(L"Valdris3", false);
  ASSERT_TRUE(client.Window());
  struct Case {
    int button;
    bool goOn;
  } cases[] = {{IDNO, false}, {IDYES, true}};
  for (const auto& c : cases) {
    fixtures::MessageBoxAnswer answer(GetCurrentProcessId(), c.button);
    EXPECT_EQ(ConfirmCloseGame(), c.goOn);
    EXPECT_TRUE(answer.Wait());
    EXPECT_EQ(answer.shownText, L"<Valdris3>\x6B63\x5728\x8FD0\x884C,\x662F\x5426\x5173\x95ED<Valdris3>\xFF1F");
    EXPECT_EQ(answer.shownCaption, L"Valdris3");
  }
  EXPECT_FALSE(client.Ended(0)) << "the confirmation itself never ends the client";
}

TEST(MarkCompatibilityPersisted, WritesTheOwnPathOnlyIntoAnExistingKey) {
  RegDeleteTreeW(HKEY_CURRENT_USER, uninstall::kCompatibilityKey);
  EXPECT_FALSE(MarkCompatibilityPersisted());
  EXPECT_FALSE(KeyExists(uninstall::kCompatibilityKey));

  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, uninstall::kCompatibilityKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_TRUE(MarkCompatibilityPersisted());
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  DWORD value = 0, size = sizeof value, type = 0;
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, uninstall::kCompatibilityKey, self, RRF_RT_ANY, &type, &value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(value, 1u);
}

TEST(DeleteDirectoryTree, EmptiesFoldersDepthFirstAndLeavesReadOnlyFiles) {
  const std::wstring root = fixtures::FreshTempFolder(L"tree");
  MakeNestedTree(root);
  DeleteDirectoryTree(root);
  EXPECT_FALSE(PathExists(root + L"\\data"));
  EXPECT_TRUE(PathExists(root + L"\\locked\\readonly.dat"));
  EXPECT_TRUE(PathExists(root)) << "a folder that is not empty stays";
  fixtures::RemoveTree(root);

  DeleteDirectoryTree(root);  // gone already: nothing happens
  EXPECT_FALSE(PathExists(root));
}

// A mount point (junction) from link to target; false where the file system
// cannot make one.
bool MakeJunction(const std::wstring& link, const std::wstring& target) {
  if (!CreateDirectoryW(link.c_str(), nullptr)) return false;
  HANDLE dir = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (dir == INVALID_HANDLE_VALUE) return false;
  const std::wstring substitute = L"\\??\\" + target;
  const USHORT substituteBytes = static_cast<USHORT>(substitute.size() * sizeof(wchar_t));
  std::vector<BYTE> buffer(64 + substituteBytes * 2, 0);
  auto* header = reinterpret_cast<DWORD*>(buffer.data());
  header[0] = IO_REPARSE_TAG_MOUNT_POINT;
  auto* words = reinterpret_cast<USHORT*>(buffer.data() + 8);
  words[0] = 0;                                               // substitute offset
  words[1] = substituteBytes;                                 // substitute length
  words[2] = static_cast<USHORT>(substituteBytes + 2);        // print offset
  words[3] = 0;                                               // print length
  std::memcpy(buffer.data() + 16, substitute.c_str(), substituteBytes);
  const USHORT dataLength = static_cast<USHORT>(8 + substituteBytes + 4);
  reinterpret_cast<USHORT*>(buffer.data() + 4)[0] = dataLength;
  DWORD returned = 0;
  const BOOL made = DeviceIoControl(dir, FSCTL_SET_REPARSE_POINT, buffer.data(), 8 + dataLength, nullptr, 0,
                                    &returned, nullptr);
  CloseHandle(dir);
  return made && (GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
}

TEST(DeleteDirectoryTree, RemovesAJunctionButNotItsTarget) {
  const std::wstring root = fixtures::FreshTempFolder(L"junction");
  const std::wstring target = fixtures::FreshTempFolder(L"junction_target");
  WriteTextFile(target + L"\\keep.dat", "keep");
  if (!MakeJunction(root + L"\\link", target)) {
    fixtures::RemoveTree(root);
    GTEST_SKIP() << "this file system makes no junctions; the rule is tested natively (TreeEntry)";
  }
  DeleteDirectoryTree(root);
  EXPECT_TRUE(PathExists(target + L"\\keep.dat"));
  EXPECT_FALSE(PathExists(root));
}

// Everything an installation leaves in the current user's prefix.
class UninstallRun : public ::testing::Test {
 protected:
  void Prepare(const std::wstring& folderName, bool withClient) {
    game_.reset();  // its Start-menu folders are the same paths
    game_ = std::make_unique<fixtures::InstalledGame>(folderName, desktop_.Folder());
    install_ = game_->folder;
    if (withClient) client_ = std::make_unique<fixtures::StandInClient>(L"Valdris3", false);
    plan_ = PlanForFolder(install_);
    plan_.statsUrl = server_.BaseUrl();
  }

  // Runs the worker as the wizard does and waits for its finish message.
  std::chrono::milliseconds RunWorker() {
    HWND wizard = CreateWindowExW(0, L"STATIC", L"wizard", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr);
    auto link = std::make_shared<ProgressLink>(wizard, [this](int percent) { progress_.push_back(percent); });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(StartUninstallWorker(plan_, link));
    bool finished = false;
    const auto end = start + std::chrono::seconds(20);
    while (!finished && std::chrono::steady_clock::now() < end) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.hwnd == wizard && msg.message == uninstall::kFrameCommandMessage &&
            msg.wParam == uninstall::kUninstallFinished && msg.lParam == 0)
          finished = true;
        DispatchMessageW(&msg);
      }
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_TRUE(finished);
    DestroyWindow(wizard);
    return took;
  }

  // The batch file as the wizard leaves it, and what its deletion lines do.
  void CheckBatchRemovesTheRest() {
    HandOverToBatch(plan_);
    // Wine's command interpreter never gets past a zero byte in a batch
    // file (Windows reads it as a line end), so the test runs the same
    // lines without it and ends the interpreter the wizard started.
    fixtures::EndChildInterpreters();
    const auto folderText = BatchFolderText(install_);
    ASSERT_TRUE(folderText);
    const std::wstring batch = install_ + L"\\korvan_uninstall.bat";
    const std::string written = fixtures::ReadFileBytes(batch);
    EXPECT_EQ(written, *uninstall::BuildSelfDeleteBatchText(*folderText));

    const std::wstring copy = fixtures::FreshTempFolder(L"batch_copy") + L"\\run.bat";
    WriteTextFile(copy, written.substr(0, written.size() - 1));
    std::wstring command = L"cmd.exe /c \"" + copy + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                               &startup, &info));
    WaitForSingleObject(info.hProcess, 20000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    EXPECT_FALSE(PathExists(install_)) << "the batch lines remove the read-only file and the folder";
  }

  fixtures::ScopedDesktop desktop_;
  fixtures::UrlRecorder urls_;
  LoopbackHttpServer server_;
  std::unique_ptr<fixtures::StandInClient> client_;
  std::unique_ptr<fixtures::InstalledGame> game_;
  std::wstring install_;
  UninstallPlan plan_;
  std::vector<int> progress_;
};

TEST_F(UninstallRun, RemovesTheInstallationAndReportsOnce) {
  struct Case {
    const wchar_t* folder;
    bool withClient;
  } cases[] = {
      {L"Valdris3 Game", true},
      {L"Valdris3\x6E38\x620F", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "client running: " << c.withClient);
    const std::size_t requestsBefore = server_.Requests().size();
    const std::size_t urlsBefore = urls_.Urls().size();
    progress_.clear();
    Prepare(c.folder, c.withClient);
    ASSERT_TRUE(server_.Listening());
    ASSERT_TRUE(plan_.installFolderDeletable);
    const unsigned long long clockBefore = fixtures::LocalClockSeconds();

    const auto took = RunWorker();
    if (!c.withClient) {
      std::printf("worker start to finish message, no client running: %lld ms\n",
                  static_cast<long long>(took.count()));
      RecordProperty("worker_ms_without_client", static_cast<int>(took.count()));
      EXPECT_LT(took.count(), 1900) << "no client: no 2-second wait";
    }

    EXPECT_EQ(progress_, (std::vector<int>{10, 15, 20, 40, 50, 60, 70, 80, 100}));
    if (client_) {
      EXPECT_TRUE(client_->Ended(0));
    }
    EXPECT_FALSE(KeyExists(kUninstallKey));
    EXPECT_FALSE(PathExists(game_->shortcut));
    EXPECT_FALSE(PathExists(game_->group + L"\\Valdris3"));
    EXPECT_TRUE(PathExists(game_->group)) << "the maker's group stays, even empty";
    EXPECT_FALSE(PathExists(game_->plain));
    EXPECT_FALSE(PathExists(install_ + L"\\vd.exe"));
    EXPECT_FALSE(PathExists(install_ + L"\\Config.ini"));
    EXPECT_FALSE(PathExists(install_ + L"\\data"));
    EXPECT_TRUE(PathExists(install_ + L"\\locked\\readonly.dat")) << "left for the batch file";

    const auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), requestsBefore + 1);
    const auto& post = requests.back();
    EXPECT_EQ(post.method, "POST");
    EXPECT_EQ(post.target, "/");
    auto form = DecodeForm(post.body);
    EXPECT_EQ(form["game_id"], "174");
    EXPECT_EQ(form["action"], "uninstall");
    EXPECT_EQ(form["agent_id"], "12");
    EXPECT_EQ(form["site_id"], "7");
    EXPECT_EQ(form["user_name"], "abcd1234");
    std::string adapters;
    static_cast<void>(GetAdapterAddressText(&adapters));
    EXPECT_TRUE(std::regex_match(form["uuid"], std::regex(std::regex_replace(adapters, std::regex(R"([#:])"), "\\$&") +
                                                         "-[0-9A-F]{32}")))
        << form["uuid"];
    const unsigned long long reported = std::strtoull(form["uninstall_time"].c_str(), nullptr, 10);
    EXPECT_GE(reported + 60, clockBefore);
    EXPECT_LE(reported, fixtures::LocalClockSeconds() + 60);

    const auto opened = urls_.Urls();
    ASSERT_EQ(opened.size(), urlsBefore + 1);
    EXPECT_EQ(opened.back(), "http://127.0.0.1:18384/htmlcode/304.html");

    CheckBatchRemovesTheRest();
    client_.reset();
  }
}

TEST_F(UninstallRun, AFolderWithoutTheClientKeepsItsFiles) {
  Prepare(L"not an installation", false);
  ASSERT_TRUE(DeleteFileW((install_ + L"\\vd.exe").c_str()));
  plan_ = PlanForFolder(install_);
  plan_.statsUrl = server_.BaseUrl();
  EXPECT_FALSE(plan_.installFolderDeletable);

  RunWorker();
  EXPECT_TRUE(PathExists(install_ + L"\\Config.ini"));
  EXPECT_TRUE(PathExists(install_ + L"\\vd_uninstall.exe"));
  EXPECT_TRUE(PathExists(install_ + L"\\data\\hidden\\b.dat"));
  EXPECT_FALSE(PathExists(game_->plain)) << "the other steps still run";

  HandOverToBatch(plan_);
  EXPECT_FALSE(PathExists(install_ + L"\\korvan_uninstall.bat"));
}

TEST(BatchFolderText, IsExactOrAbsent) {
  const std::wstring folder = fixtures::FreshTempFolder(L"\x6E38\x620F Valdris3");
  const auto text = BatchFolderText(folder);
  ASSERT_TRUE(text) << "the short form converts where the long one does not";
  EXPECT_EQ(text->find('?'), std::string::npos);
  wchar_t wide[MAX_PATH] = {}, longForm[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, text->c_str(), -1, wide, MAX_PATH);
  GetLongPathNameW(wide, longForm, MAX_PATH);
  EXPECT_EQ(std::wstring(longForm), folder);
  fixtures::RemoveTree(folder);
}

}  // namespace
