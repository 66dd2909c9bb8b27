#include "BatchText.h"

#include "UninstallNames.h"

namespace uninstall {
namespace {

// Inside a batch file "%" starts a variable even within quotes: a folder
// named "a%b%c" would otherwise become "ac", a different folder.
std::string EscapePercent(std::string_view folder) {
  std::string out;
  for (char c : folder) {
    out += c;
    if (c == '%') out += '%';
  }
  return out;
}

}  // namespace

std::optional<std::string> BatchFilePath(std::string_view folder) {
  std::string path(folder);
  path += '\\';
  path += kBatchFileName;
  if (path.size() >= kPathCapacity) return std::nullopt;
  return path;
}

std::optional<std::string> BuildSelfDeleteBatchText(std::string_view folder) {
  const std::string quoted = "\\\\?\\\"" + EscapePercent(folder) + "\"";
  std::string text = "@echo off\r\nchoice /t 3 /d y /n > nul\r\n";
  text += "@echo off\r\n";
  text += "DEL /F /A /Q " + quoted + "\r\n";
  text += "RD /S /Q " + quoted;
  if (text.size() >= kBatchTextCapacity) return std::nullopt;
  text += '\0';
  return text;
}

}  // namespace uninstall
