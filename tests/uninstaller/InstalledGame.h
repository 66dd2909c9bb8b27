#pragma once
#include <windows.h>

#include <string>

namespace fixtures {

inline constexpr wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Valdris3";

[[nodiscard]] bool KeyExists(const wchar_t* subKey);

// Folders carrying more attributes than the directory bit, a read-only file.
void MakeNestedTree(const std::wstring& root);

// What an installation leaves in the current user's prefix: the folder with
// vd.exe, vd_uninstall.exe, Config.ini and nested data; the uninstall key; the
// desktop shortcut; the two Start-menu folders.
class InstalledGame {
 public:
  InstalledGame(const std::wstring& folderName, const std::wstring& desktopFolder);
  ~InstalledGame();
  InstalledGame(const InstalledGame&) = delete;
  InstalledGame& operator=(const InstalledGame&) = delete;

  [[nodiscard]] bool Untouched() const;

  std::wstring folder, shortcut, group, plain;
};

}  // namespace fixtures
