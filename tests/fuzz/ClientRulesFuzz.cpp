#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzInput.h"
#include "LandingUrl.h"
#include "ProfileValues.h"

namespace {

// UTF-16 units, as the client's wide strings hold them on Windows.
std::wstring Units(FuzzInput& in) {
  const std::string bytes = in.Text();
  std::wstring units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    units += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) << 8 | static_cast<unsigned char>(bytes[i + 1]));
  return units;
}

bool IsSurrogate(std::uint32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The input as a server reads it back: lone halves of a pair become U+FFFD.
std::wstring Sound(const std::wstring& units) {
  std::wstring out;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto c = static_cast<std::uint32_t>(units[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      out += units[i];
      out += units[++i];
    } else {
      out += IsSurrogate(c) ? static_cast<wchar_t>(0xFFFD) : units[i];
    }
  }
  return out;
}

int Hex(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  FUZZ_CHECK(c >= L'A' && c <= L'F');
  return c - L'A' + 10;
}

// Percent-decoding to UTF-8 bytes, then UTF-8 to UTF-16; a raw character that
// would end or split the value is a finding.
std::wstring DecodeQueryValue(const std::wstring& s) {
  std::wstring out;
  std::vector<std::uint8_t> bytes;
  auto flush = [&] {
    for (std::size_t i = 0; i < bytes.size();) {
      const std::uint8_t b = bytes[i];
      const int extra = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
      FUZZ_CHECK(i + extra < bytes.size());
      std::uint32_t cp = extra == 0 ? b : b & (0x3F >> extra);
      for (int k = 1; k <= extra; ++k) cp = cp << 6 | (bytes[i + k] & 0x3F);
      if (cp >= 0x10000) {
        out += static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
        out += static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
      } else {
        out += static_cast<wchar_t>(cp);
      }
      i += extra + 1;
    }
    bytes.clear();
  };
  for (std::size_t i = 0; i < s.size(); ++i) {
    FUZZ_CHECK(s[i] != L'&' && s[i] != L'#' && s[i] != L'+' && s[i] != L' ' && s[i] >= 0x20 && s[i] < 0x7F);
    if (s[i] == L'%') {
      FUZZ_CHECK(i + 2 < s.size());
      bytes.push_back(static_cast<std::uint8_t>(Hex(s[i + 1]) * 16 + Hex(s[i + 2])));
      i += 2;
    } else {
      flush();
      out += s[i];
    }
  }
  flush();
  return out;
}

// What the C library's wide conversion gives, held to the int limits.
int ReferenceInt(const std::wstring& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  long long value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    value = value * 10 + (text[i] - L'0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  LandingUrlFields f;
  f.page = L"http://127.0.0.1:18080/wd/index.html";
  f.agentId = static_cast<int>(in.Int(INT_MIN, INT_MAX));
  f.placeId = static_cast<int>(in.Int(INT_MIN, INT_MAX));
  f.runCount = static_cast<int>(in.Int(INT_MIN, INT_MAX));
  f.installTime = Units(in);
  f.mac = Units(in);
  f.version = Units(in);

  // The query splits on "&" into exactly its keys, each value read back whole.
  const std::wstring url = BuildLandingUrl(f);
  const std::wstring head = f.page + L"?";
  FUZZ_CHECK(url.compare(0, head.size(), head) == 0);
  const std::wstring expected[][2] = {{L"installtime", Sound(f.installTime)},
                                      {L"agent_id", std::to_wstring(f.agentId)},
                                      {L"cplaceid", std::to_wstring(f.placeId)},
                                      {L"runcount", std::to_wstring(f.runCount)},
                                      {L"mac", Sound(f.mac)},
                                      {L"Version", Sound(f.version)}};
  std::size_t start = head.size();
  for (std::size_t k = 0; k < 6; ++k) {
    const std::size_t end = url.find(L'&', start);
    FUZZ_CHECK((end == std::wstring::npos) == (k == 5));
    const std::wstring pair = url.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    const std::size_t eq = pair.find(L'=');
    FUZZ_CHECK(eq != std::wstring::npos && pair.substr(0, eq) == expected[k][0]);
    FUZZ_CHECK(DecodeQueryValue(pair.substr(eq + 1)) == expected[k][1]);
    start = end + 1;
  }

  const std::wstring setting = Units(in);
  const int value = ParseProfileInt(setting);
  FUZZ_CHECK(value == ReferenceInt(setting));
  const int next = NextRunCount(value);
  FUZZ_CHECK(value == INT_MAX ? next == INT_MAX : next == value + 1);

  const std::size_t cap = static_cast<std::size_t>(in.Int(0, 80));
  const std::wstring cut = TruncateAtCharacter(setting, cap);
  FUZZ_CHECK(cut.size() <= cap && setting.compare(0, cut.size(), cut) == 0);
  // A cut never ends in the first half of a pair (lone or not); nothing else is lost.
  const std::size_t most = cap < setting.size() ? cap : setting.size();
  const bool splitsPair =
      most > 0 && most < setting.size() && setting[most - 1] >= 0xD800 && setting[most - 1] <= 0xDBFF;
  FUZZ_CHECK(cut.size() == (splitsPair ? most - 1 : most));
  return 0;
}
