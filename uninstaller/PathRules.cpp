#include "PathRules.h"

#include <cstdio>
#include <cstdlib>

#include "UninstallNames.h"

namespace uninstall {

std::wstring FolderOfModulePath(std::wstring_view modulePath) {
  const auto cut = modulePath.rfind(L'\\');
  if (cut == std::wstring_view::npos) return {};
  return std::wstring(modulePath.substr(0, cut));
}

std::optional<std::wstring> JoinPath(std::wstring_view folder, std::wstring_view name) {
  std::wstring path(folder);
  path += L'\\';
  path += name;
  if (path.size() >= kPathCapacity) return std::nullopt;
  return path;
}

bool UsesTaskbarUnpin(unsigned long major, unsigned long minor) {
  // Read back as a number, as the version text has always been compared:
  // "6.1" and "5.1" unpin, "6.2" and "10.0" do not.
  char text[32];
  std::snprintf(text, sizeof text, "%lu.%lu", major, minor);
  return std::strtod(text, nullptr) <= 6.1;
}

}  // namespace uninstall
