#pragma once
#include <optional>
#include <string>

namespace installertest {

struct ShellLinkInfo {
  std::wstring target;
  std::wstring workingDirectory;
};

// What a .lnk file points at, read through IShellLinkW; nothing when the
// file is missing or not a shortcut. COM must be initialised on the thread.
[[nodiscard]] std::optional<ShellLinkInfo> ReadShellLink(const std::wstring& path);

}  // namespace installertest
