#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "LandingUrl.h"
#include "LinkTable.h"
#include "LoginRules.h"

namespace {

std::wstring Units(FuzzInput& in) {
  const std::string bytes = in.Text();
  std::wstring units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    units += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) << 8 | static_cast<unsigned char>(bytes[i + 1]));
  return units;
}

// Short ASCII-ish pieces glued together, so markers turn up often.
std::wstring Url(FuzzInput& in) {
  std::wstring url;
  for (char c : in.Text()) url += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return url;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const std::wstring url = Url(in);
  const std::wstring gate = Url(in);

  const bool login = IsLoginUrl(url, gate);
  FUZZ_CHECK(login == (url.find(kGameLoginMarker) != std::wstring::npos ||
                       (!gate.empty() && url.find(gate) != std::wstring::npos)));
  FUZZ_CHECK(IsUserPageUrl(url) == (url.find(kUserPageMarker) != std::wstring::npos));

  std::wstring serverId = L"unchanged";
  const bool found = ExtractServerId(url, &serverId);
  FUZZ_CHECK(found == (url.find(kServerIdMarker) != std::wstring::npos));
  if (!found) {
    FUZZ_CHECK(serverId == L"unchanged");
  } else {
    FUZZ_CHECK(serverId.find(L'&') == std::wstring::npos);
    FUZZ_CHECK(serverId.size() <= kLearnedFieldCapacity);
    const std::size_t at = url.find(kServerIdMarker) + std::wstring(kServerIdMarker).size();
    FUZZ_CHECK(url.compare(at, serverId.size(), serverId) == 0);
  }

  const LinkSites sites = {L"http://g", L"http://f", L"http://p", L"http://y"};
  const LinkUser user = {Units(in), Units(in)};
  const int id = static_cast<int>(in.Int(1000, 10030));
  const std::wstring address = BuildLinkAddress(id, sites, user);
  // A user's values go in encoded: what splits a query never comes from them.
  std::size_t amps = 0, hashes = 0;
  for (wchar_t c : address) {
    amps += c == L'&';
    hashes += c == L'#';
  }
  const LinkUser stand = {user.userName.empty() ? L"" : L"u", user.serverId.empty() ? L"" : L"s"};
  const std::wstring plain = BuildLinkAddress(id, sites, stand);
  std::size_t plainAmps = 0;
  for (wchar_t c : plain) plainAmps += c == L'&';
  FUZZ_CHECK(amps == plainAmps && hashes == 0);
  FUZZ_CHECK(address.empty() == plain.empty());
  if (plain.find(L"user_name=u") != std::wstring::npos)
    FUZZ_CHECK(address.find(L"user_name=" + EncodeQueryValue(user.userName)) != std::wstring::npos);
  if (plain.find(L"server_id=s") != std::wstring::npos)
    FUZZ_CHECK(address.find(L"server_id=" + EncodeQueryValue(user.serverId)) != std::wstring::npos);
  return 0;
}
