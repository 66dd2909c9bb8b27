#pragma once
#include <cstdint>
#include <string_view>

namespace uninstall {

// The Win32 attribute bits the tree walk looks at.
inline constexpr std::uint32_t kAttributeDirectory = 0x10;
inline constexpr std::uint32_t kAttributeReparsePoint = 0x400;

enum class EntryAction {
  Skip,        // "." and ".."
  Descend,     // a real folder: empty it depth first, then remove it
  RemoveLink,  // a junction or directory link: remove the link, never its target
  DeleteFile,  // anything else, file links included
};

[[nodiscard]] EntryAction ClassifyEntry(std::wstring_view name, std::uint32_t attributes);

}  // namespace uninstall
