#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "ProcessRunner.h"
#include "RegistryValues.h"
#include "SetupFixture.h"
#include "UniqueHandle.h"

namespace installertest {
namespace {

namespace fs = std::filesystem;

struct DialogSearch {
  DWORD processId;
  HWND skip;
  HWND found;
};

// A visible dialog of the process other than skip: the installer's own
// window, or a message box above it.
HWND FindDialogOf(DWORD processId, HWND skip) {
  DialogSearch search = {processId, skip, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<DialogSearch*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (owner != s->processId || window == s->skip || !IsWindowVisible(window) ||
            std::wstring(name) != L"#32770") {
          return TRUE;
        }
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForDialogOf(DWORD processId, HWND skip) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (std::chrono::steady_clock::now() < end) {
    if (HWND found = FindDialogOf(processId, skip)) return found;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return nullptr;
}

void Press(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

TEST_F(SetupTest, TheWizardRefusesAForeignFolderAndStaysOnItsPage) {
  const std::wstring folder = Scratch(L"photos");
  fs::create_directories(folder);
  ASSERT_TRUE(WriteFileBytes(folder + L"\\holiday.jpg", "kept"));

  UniqueKernelHandle setup(
      StartProcess(L"\"" + BuildPath(L"installer\\vd_setup.exe") + L"\" /D=" + folder));
  ASSERT_TRUE(setup);
  const DWORD id = GetProcessId(setup.Get());
  HWND wizard = WaitForDialogOf(id, nullptr);
  ASSERT_NE(wizard, nullptr);
  Press(wizard, IDOK);  // welcome page: next
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  Press(wizard, IDOK);  // folder page: install

  HWND box = WaitForDialogOf(id, wizard);
  ASSERT_NE(box, nullptr) << "no refusal";
  EXPECT_NE(TextOf(GetDlgItem(box, 0xFFFF)).find(folder), std::wstring::npos);
  Press(box, IDOK);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_EQ(WaitForSingleObject(setup.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));

  Press(wizard, IDCANCEL);
  if (HWND confirm = WaitForDialogOf(id, wizard)) Press(confirm, IDYES);
  EXPECT_EQ(WaitForSingleObject(setup.Get(), 15000), static_cast<DWORD>(WAIT_OBJECT_0));
  if (WaitForSingleObject(setup.Get(), 0) != WAIT_OBJECT_0) TerminateProcess(setup.Get(), 1);

  EXPECT_EQ(ReadFileBytes(folder + L"\\holiday.jpg"), "kept");
  EXPECT_FALSE(fs::exists(folder + L"\\vd.exe"));
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallKey));
}

}  // namespace
}  // namespace installertest
