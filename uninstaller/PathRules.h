#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace uninstall {

// The module's full path cut before its last backslash; empty without one.
[[nodiscard]] std::wstring FolderOfModulePath(std::wstring_view modulePath);

// folder + "\" + name, or none when it would not fit a 260-character buffer.
[[nodiscard]] std::optional<std::wstring> JoinPath(std::wstring_view folder, std::wstring_view name);

// The taskbar pin is removed on systems whose "major.minor" reads as at most 6.1.
[[nodiscard]] bool UsesTaskbarUnpin(unsigned long major, unsigned long minor);

}  // namespace uninstall
