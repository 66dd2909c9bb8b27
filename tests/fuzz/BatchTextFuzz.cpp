#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "BatchText.h"
#include "FuzzInput.h"

namespace {

// What a Windows folder name can hold: no control bytes, no < > " | ? *.
std::string AsFolderName(std::string_view raw) {
  std::string folder;
  for (char ch : raw) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x20 && std::string_view("<>\"|?*").find(ch) == std::string_view::npos) folder += ch;
  }
  return folder;
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  while (true) {
    const std::size_t end = text.find("\r\n");
    lines.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) return lines;
    text.remove_prefix(end + 2);
  }
}

// The folder a command line acts on, as cmd reads it: "%%" is one "%", and a
// lone "%" would start a variable.
std::string FolderNamedBy(const std::string& line, std::string_view command) {
  const std::string head = std::string(command) + " \\\\?\\\"";
  FUZZ_CHECK(line.compare(0, head.size(), head) == 0);
  FUZZ_CHECK(line.size() > head.size() && line.back() == '"');
  const std::string quoted = line.substr(head.size(), line.size() - head.size() - 1);
  std::string folder;
  for (std::size_t i = 0; i < quoted.size(); ++i) {
    FUZZ_CHECK(quoted[i] != '"');
    if (quoted[i] == '%') {
      FUZZ_CHECK(i + 1 < quoted.size() && quoted[i + 1] == '%');
      ++i;
    }
    folder += quoted[i];
  }
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const std::string folder = AsFolderName(in.Rest());

  const auto path = uninstall::BatchFilePath(folder);
  if (path) {
    FUZZ_CHECK(path->size() < 260);
    FUZZ_CHECK(path->compare(0, folder.size(), folder) == 0 && (*path)[folder.size()] == '\\');
  } else {
    FUZZ_CHECK(folder.size() + 1 >= 260 - 20);
  }

  const auto text = uninstall::BuildSelfDeleteBatchText(folder);
  if (!text) return 0;
  FUZZ_CHECK(text->size() <= 1024 && text->back() == '\0');
  FUZZ_CHECK(text->find('\0') == text->size() - 1);
  const std::vector<std::string> lines = Lines(std::string_view(*text).substr(0, text->size() - 1));
  FUZZ_CHECK(lines.size() == 5);
  FUZZ_CHECK(FolderNamedBy(lines[3], "DEL /F /A /Q") == folder);
  FUZZ_CHECK(FolderNamedBy(lines[4], "RD /S /Q") == folder);
  return 0;
}
