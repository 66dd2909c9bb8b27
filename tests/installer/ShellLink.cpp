#include "ShellLink.h"

#include <windows.h>
#include <shlobj.h>

#include "ComPtr.h"

namespace installertest {

std::optional<ShellLinkInfo> ReadShellLink(const std::wstring& path) {
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              link.PutVoid()))) {
    return std::nullopt;
  }
  ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
  if (!file || FAILED(file->Load(path.c_str(), STGM_READ))) return std::nullopt;
  // The item list holds the target in Unicode; Wine's GetPath answers from
  // the link's ANSI copy and loses characters outside the code page.
  PIDLIST_ABSOLUTE item = nullptr;
  if (FAILED(link->GetIDList(&item)) || !item) return std::nullopt;
  wchar_t target[MAX_PATH] = {};
  const BOOL resolved = SHGetPathFromIDListW(item, target);
  CoTaskMemFree(item);
  if (!resolved) return std::nullopt;
  wchar_t directory[MAX_PATH] = {};
  if (FAILED(link->GetWorkingDirectory(directory, MAX_PATH))) return std::nullopt;
  return ShellLinkInfo{target, directory};
}

}  // namespace installertest
