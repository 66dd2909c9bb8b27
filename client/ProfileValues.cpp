#include "ProfileValues.h"

#include <climits>
#include <cstdint>

namespace {
bool IsHighSurrogate(wchar_t c) {
  auto u = static_cast<std::uint32_t>(c) & 0xFFFF;
  return u >= 0xD800 && u <= 0xDBFF;
}
}  // namespace

int NextRunCount(int runCount) { return runCount == INT_MAX ? INT_MAX : runCount + 1; }

std::wstring TruncateAtCharacter(std::wstring_view text, std::size_t maxUnits) {
  if (text.size() <= maxUnits) return std::wstring(text);
  std::size_t end = maxUnits;
  if (end > 0 && IsHighSurrogate(text[end - 1])) --end;
  return std::wstring(text.substr(0, end));
}
