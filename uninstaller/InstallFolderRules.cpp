#include "InstallFolderRules.h"

namespace uninstall {
namespace {

// Backslashes only, no trailing ones, ASCII letters folded: Windows compares
// paths without regard to case.
std::wstring Normalized(std::wstring_view path) {
  std::wstring out;
  for (wchar_t c : path) {
    if (c == L'/') c = L'\\';
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    out += c;
  }
  while (!out.empty() && out.back() == L'\\') out.pop_back();
  for (std::wstring_view prefix : {L"\\\\?\\unc\\", L"\\\\?\\"}) {
    if (out.compare(0, prefix.size(), prefix) == 0) {
      out = (prefix.size() > 4 ? L"\\\\" : L"") + out.substr(prefix.size());
      break;
    }
  }
  return out;
}

bool IsSameOrAbove(const std::wstring& folder, const std::wstring& guarded) {
  if (guarded.compare(0, folder.size(), folder) != 0) return false;
  return guarded.size() == folder.size() || guarded[folder.size()] == L'\\';
}

// "." and ".." would let a folder name stand for one of its parents.
bool HasDotComponent(const std::wstring& path) {
  std::size_t start = 0;
  for (;;) {
    const auto end = path.find(L'\\', start);
    const std::wstring_view part = std::wstring_view(path).substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    if (part == L"." || part == L"..") return true;
    if (end == std::wstring::npos) return false;
    start = end + 1;
  }
}

}  // namespace

bool IsDriveRoot(std::wstring_view folder) {
  const std::wstring path = Normalized(folder);
  if (path.empty()) return true;
  if (path.size() == 2 && path[1] == L':') return true;
  if (path.compare(0, 2, L"\\\\") == 0) {
    // \\server\share is the root of a network drive.
    const auto server = path.find(L'\\', 2);
    return server == std::wstring::npos || path.find(L'\\', server + 1) == std::wstring::npos;
  }
  return false;
}

bool IsDeletableInstallation(const FolderFacts& facts) {
  if (!facts.holdsClient || IsDriveRoot(facts.folder)) return false;
  const std::wstring folder = Normalized(facts.folder);
  if (folder.find(L'\\') == std::wstring::npos || HasDotComponent(folder)) return false;
  for (const auto& guarded : facts.guardedFolders) {
    if (!guarded.empty() && IsSameOrAbove(folder, Normalized(guarded))) return false;
  }
  return true;
}

}  // namespace uninstall
