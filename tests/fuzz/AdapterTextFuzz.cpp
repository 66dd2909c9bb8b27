#include <cstdint>
#include <string>
#include <vector>

#include "AdapterText.h"
#include "FuzzInput.h"

namespace {

bool IsUpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

int HexValue(char c) { return c <= '9' ? c - '0' : c - 'A' + 10; }

// Reads one adapter's "HH:HH:..." back into its bytes.
std::string ReadAddress(const std::string& text) {
  FUZZ_CHECK(text.size() % 3 == 2);
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); i += 3) {
    FUZZ_CHECK(IsUpperHex(text[i]) && IsUpperHex(text[i + 1]));
    if (i + 2 < text.size()) FUZZ_CHECK(text[i + 2] == ':');
    bytes += static_cast<char>(HexValue(text[i]) * 16 + HexValue(text[i + 1]));
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const auto cpu = [&in] { return static_cast<std::uint32_t>(in.Bits(4)); };
  const std::uint32_t a = cpu(), b = cpu(), c = cpu(), d = cpu();
  std::vector<std::string> addresses;
  while (!in.Empty()) addresses.push_back(in.Text());

  std::vector<std::string> present;
  std::size_t expectedLength = 0;
  for (const std::string& address : addresses) {
    if (address.empty()) continue;
    expectedLength += (present.empty() ? 0 : 1) + address.size() * 3 - 1;
    present.push_back(address);
  }

  const std::string text = FormatAdapterText(addresses);
  FUZZ_CHECK(text.size() == expectedLength);
  std::size_t start = 0;
  for (std::size_t i = 0; i < present.size(); ++i) {
    const std::size_t end = text.find('#', start);
    FUZZ_CHECK((end == std::string::npos) == (i + 1 == present.size()));
    FUZZ_CHECK(ReadAddress(text.substr(start, end == std::string::npos ? std::string::npos : end - start)) ==
               present[i]);
    start = end + 1;
  }

  const std::string id = FormatUninstallerDeviceId(text, a, b, c, d);
  FUZZ_CHECK(id.size() == text.size() + 1 + 32);
  FUZZ_CHECK(id.compare(0, text.size(), text) == 0 && id[text.size()] == '-');
  std::uint32_t values[4] = {};
  for (int i = 0; i < 32; ++i) {
    const char h = id[text.size() + 1 + i];
    FUZZ_CHECK(IsUpperHex(h));
    values[i / 8] = (values[i / 8] << 4) | static_cast<std::uint32_t>(HexValue(h));
  }
  FUZZ_CHECK(values[0] == a && values[1] == b && values[2] == c && values[3] == d);
  return 0;
}
