#include "UninstallWorker.h"

#include <shellapi.h>

#include <optional>

#include "DirectoryTree.h"
#include "GameWindow.h"
#include "PathRules.h"
#include "UninstallNames.h"
#include "UninstallReport.h"
#include "Win32Handles.h"

namespace {

using uninstall::JoinPath;
using uninstall::kGameTitle;

constexpr int kCloseAttempts = 3;
constexpr DWORD kAfterCloseAttemptMs = 2000;
constexpr DWORD kBeforeFinishMs = 1000;

void CloseRunningClient() {
  for (int attempt = 0; attempt < kCloseAttempts; ++attempt) {
    HWND client = FindGameWindow(nullptr);
    if (!client) break;
    DWORD processId = 0;
    GetWindowThreadProcessId(client, &processId);
    UniqueKernelHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId));
    if (process) TerminateProcess(process.Get(), 0);
    Sleep(kAfterCloseAttemptMs);
  }
}

void DeleteUninstallKey() {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, uninstall::kUninstallKeyParent, 0,
                    KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_ENUMERATE_SUB_KEYS, &raw) != ERROR_SUCCESS)
    return;
  UniqueRegistryKey key(raw);
  RegDeleteKeyW(key.Get(), kGameTitle);
}

bool Exists(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  UniqueFindHandle find(FindFirstFileW(path.c_str(), &data));
  return static_cast<bool>(find);
}

// A path under a special folder, or none when the system named no folder:
// an empty one would put the path at the root of the current drive.
std::optional<std::wstring> Under(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty()) return std::nullopt;
  return JoinPath(folder, name);
}

bool RunsOnWindows7OrOlder() {
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExW(&version)) return false;
  return uninstall::UsesTaskbarUnpin(version.dwMajorVersion, version.dwMinorVersion);
}

}  // namespace

void RunUninstallSteps(const UninstallPlan& plan, ProgressLink& link) {
  CloseRunningClient();
  link.Show(10);

  DeleteUninstallKey();
  link.Show(15);

  const auto settings = plan.installFolder.empty()
                            ? std::nullopt
                            : JoinPath(plan.installFolder, uninstall::kSettingsFileName);
  SendUninstallReport(settings.value_or(std::wstring()), plan.statsUrl);
  link.Show(20);

  ShellExecuteW(nullptr, L"open", plan.feedbackUrl.c_str(), nullptr, nullptr, SW_SHOW);
  link.Show(40);

  const auto shortcut = Under(plan.desktopFolder, std::wstring(kGameTitle) + L".lnk");
  const auto groupedFolder =
      Under(plan.programsFolder, std::wstring(uninstall::kMakerGroup) + L"\\" + kGameTitle);
  const auto plainFolder = Under(plan.programsFolder, kGameTitle);
  // The pin goes through the shortcut, so it is removed first.
  if (shortcut && RunsOnWindows7OrOlder())
    ShellExecuteW(nullptr, L"taskbarunpin", shortcut->c_str(), nullptr, nullptr, SW_HIDE);
  link.Show(50);

  if (shortcut && Exists(*shortcut)) DeleteFileW(shortcut->c_str());
  link.Show(60);

  if (groupedFolder && Exists(*groupedFolder)) DeleteDirectoryTree(*groupedFolder);
  link.Show(70);

  if (plainFolder && Exists(*plainFolder)) DeleteDirectoryTree(*plainFolder);
  link.Show(80);

  if (plan.installFolderDeletable) DeleteDirectoryTree(plan.installFolder);
  link.Show(100);

  Sleep(kBeforeFinishMs);
  link.Finish();
}

DWORD WINAPI UninstallWorker(LPVOID start) {
  std::unique_ptr<WorkerStart> owned(static_cast<WorkerStart*>(start));
  RunUninstallSteps(owned->plan, *owned->link);
  return 0;
}

bool StartUninstallWorker(UninstallPlan plan, std::shared_ptr<ProgressLink> link) {
  auto start = std::make_unique<WorkerStart>(WorkerStart{std::move(plan), std::move(link)});
  UniqueKernelHandle thread(CreateThread(nullptr, 0, UninstallWorker, start.get(), 0, nullptr));
  if (!thread) return false;
  static_cast<void>(start.release());
  return true;
}
