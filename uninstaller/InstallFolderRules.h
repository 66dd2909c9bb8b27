#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace uninstall {

// What the uninstaller knows about the folder it would empty.
struct FolderFacts {
  std::wstring folder;
  bool holdsClient = false;  // vd.exe lies in it as a file
  // The user's profile, Desktop, Documents, Downloads, the Windows folder,
  // the Program Files roots: never emptied, nor any folder above them.
  std::vector<std::wstring> guardedFolders;
};

[[nodiscard]] bool IsDriveRoot(std::wstring_view folder);

// True only when the folder is an installation of the client that may be
// deleted whole.
[[nodiscard]] bool IsDeletableInstallation(const FolderFacts& facts);

}  // namespace uninstall
