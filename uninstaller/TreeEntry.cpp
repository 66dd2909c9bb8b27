#include "TreeEntry.h"

namespace uninstall {

EntryAction ClassifyEntry(std::wstring_view name, std::uint32_t attributes) {
  if (!(attributes & kAttributeDirectory)) return EntryAction::DeleteFile;
  if (name == L"." || name == L"..") return EntryAction::Skip;
  if (attributes & kAttributeReparsePoint) return EntryAction::RemoveLink;
  return EntryAction::Descend;
}

}  // namespace uninstall
