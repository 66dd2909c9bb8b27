#include "PathRules.h"

#include <climits>
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

int ParseLeadingInt(std::wstring_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  long long value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    value = value * 10 + (text[i] - L'0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

bool UsesTaskbarUnpin(unsigned long major, unsigned long minor) {
  // Read back as a number, as the version text has always been compared:
  // "6.1" and "5.1" unpin, "6.2" and "10.0" do not.
  char text[32];
  std::snprintf(text, sizeof text, "%lu.%lu", major, minor);
  return std::strtod(text, nullptr) <= 6.1;
}

}  // namespace uninstall
