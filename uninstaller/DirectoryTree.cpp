#include "DirectoryTree.h"

#include <windows.h>

#include "TreeEntry.h"
#include "Win32Handles.h"

using uninstall::EntryAction;

void DeleteDirectoryTree(std::wstring path) {
  const DWORD own = GetFileAttributesW(path.c_str());
  if (own != INVALID_FILE_ATTRIBUTES && (own & FILE_ATTRIBUTE_REPARSE_POINT)) {
    RemoveDirectoryW(path.c_str());
    return;
  }
  // The C run-time's find data has no reparse-point bit, so the walk uses
  // the Win32 functions to tell links from folders.
  WIN32_FIND_DATAW entry;
  UniqueFindHandle find(FindFirstFileW((path + L"\\*.*").c_str(), &entry));
  if (!find) return;
  do {
    const std::wstring child = path + L"\\" + entry.cFileName;
    switch (uninstall::ClassifyEntry(entry.cFileName, entry.dwFileAttributes)) {
      case EntryAction::Skip:
        break;
      case EntryAction::Descend:
        DeleteDirectoryTree(child);
        break;
      case EntryAction::RemoveLink:
        RemoveDirectoryW(child.c_str());
        break;
      case EntryAction::DeleteFile:
        DeleteFileW(child.c_str());
        break;
    }
  } while (FindNextFileW(find.Get(), &entry));
  find.Reset();
  RemoveDirectoryW(path.c_str());
}
