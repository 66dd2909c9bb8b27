#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "FuzzInput.h"
#include "ReportBody.h"
#include "UnixTime.h"

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Form decoding as a server does it; a malformed escape is a finding, as is
// anything left unencoded that such decoding would change.
std::string Decode(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    FUZZ_CHECK(s[i] != '+' && s[i] != ' ' && s[i] != '&' && s[i] != '=');
    if (s[i] != '%') {
      out += s[i];
      continue;
    }
    FUZZ_CHECK(i + 2 < s.size());
    const int hi = HexValue(s[i + 1]);
    const int lo = HexValue(s[i + 2]);
    FUZZ_CHECK(hi >= 0 && lo >= 0);
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return out;
}

using Form = std::vector<std::pair<std::string, std::string>>;

void CheckBody(const std::string& body, const Form& expected) {
  Form got;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = body.find('&', start);
    const std::string pair = body.substr(start, end == std::string::npos ? std::string::npos : end - start);
    const std::size_t eq = pair.find('=');
    FUZZ_CHECK(eq != std::string::npos);
    got.emplace_back(pair.substr(0, eq), Decode(pair.substr(eq + 1)));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  FUZZ_CHECK(got == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  ReportFields f;
  f.gameId = static_cast<int>(in.Int(INT32_MIN, INT32_MAX));
  const std::uint64_t fileTime = in.Bits(8);
  f.time = UnixSecondsFromFileTime(fileTime);
  if (fileTime >= kFileTimeOfUnixEpoch) {
    FUZZ_CHECK(f.time * 10000000ULL + kFileTimeOfUnixEpoch <= fileTime);
    FUZZ_CHECK(fileTime - (f.time * 10000000ULL + kFileTimeOfUnixEpoch) < 10000000ULL);
  } else {
    FUZZ_CHECK(f.time == 0);
  }
  f.agentId = static_cast<int>(in.Int(INT32_MIN, INT32_MAX));
  f.siteId = static_cast<int>(in.Int(INT32_MIN, INT32_MAX));
  f.uuid = in.Text();
  f.userName = std::string(in.Rest());

  const std::string encoded = EncodeFormValue(f.userName);
  FUZZ_CHECK(Decode(encoded) == f.userName);
  for (char c : encoded) FUZZ_CHECK(c > 0x20 && c < 0x7F);

  auto fields = [&f](const char* action, const char* timeKey, bool withName) {
    Form form = {{"game_id", std::to_string(f.gameId)},
                 {"action", action},
                 {timeKey, std::to_string(f.time)},
                 {"uuid", f.uuid},
                 {"agent_id", std::to_string(f.agentId)},
                 {"site_id", std::to_string(f.siteId)}};
    if (withName) form.emplace_back("user_name", f.userName);
    return form;
  };
  CheckBody(BuildInstallBody(f), fields("install", "install_time", false));
  CheckBody(BuildCloseBody(f), fields("close", "logout_time", true));
  CheckBody(BuildUninstallBody(f), fields("uninstall", "uninstall_time", true));
  return 0;
}
