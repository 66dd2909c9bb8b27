#include "ReportBody.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Form = std::vector<std::pair<std::string, std::string>>;

// What a server's application/x-www-form-urlencoded decoding gives back.
std::string DecodeComponent(const std::string& s) {
  auto hex = [](char c) { return c <= '9' ? c - '0' : (c & ~0x20) - 'A' + 10; };
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '+') {
      out += ' ';
    } else if (s[i] == '%' && i + 2 < s.size()) {
      out += static_cast<char>(hex(s[i + 1]) * 16 + hex(s[i + 2]));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

Form DecodeForm(const std::string& body) {
  Form form;
  std::size_t start = 0;
  while (start <= body.size()) {
    std::size_t end = body.find('&', start);
    if (end == std::string::npos) end = body.size();
    std::string pair = body.substr(start, end - start);
    std::size_t eq = pair.find('=');
    form.emplace_back(DecodeComponent(pair.substr(0, eq)),
                      eq == std::string::npos ? "" : DecodeComponent(pair.substr(eq + 1)));
    start = end + 1;
  }
  return form;
}

struct BodyCase {
  const char* name;
  std::string (*build)(const ReportFields&);
  ReportFields fields;
  const char* expected;
};

const BodyCase kBodyCases[] = {
    {"InstallFirstRun", BuildInstallBody,
     {kClientGameId, 1796998920, "00:1A:2B:3C:4D:5E", 0, 0, "ignored"},
     "game_id=1306&action=install&install_time=1796998920&uuid=00:1A:2B:3C:4D:5E&agent_id=0&site_id=0"},
    {"InstallWithoutAdapter", BuildInstallBody, {kClientGameId, 1, "", 7, 8, ""},
     "game_id=1306&action=install&install_time=1&uuid=&agent_id=7&site_id=8"},
    {"CloseWithoutLogin", BuildCloseBody,
     {kClientGameId, 1796998920, "00:1A:2B:3C:4D:5E#02:00:4C:4F:4F:50", 12, 34, ""},
     "game_id=1306&action=close&logout_time=1796998920&uuid=00:1A:2B:3C:4D:5E#02:00:4C:4F:4F:50"
     "&agent_id=12&site_id=34&user_name="},
    {"CloseNegativeIdsAndLargestTime", BuildCloseBody,
     {kClientGameId, 18446744073709551615ULL, "", -5, -2147483647 - 1, "player01"},
     "game_id=1306&action=close&logout_time=18446744073709551615&uuid=&agent_id=-5"
     "&site_id=-2147483648&user_name=player01"},
    {"UninstallEightCharacterName", BuildUninstallBody,
     {kUninstallerGameId, 1797027720, "00:1A:2B:3C:4D:5E-49656E6900000016178BFBFF7FFAFBBF", 12, 3,
      "abcd1234"},
     "game_id=174&action=uninstall&uninstall_time=1797027720"
     "&uuid=00:1A:2B:3C:4D:5E-49656E6900000016178BFBFF7FFAFBBF&agent_id=12&site_id=3"
     "&user_name=abcd1234"},
    {"UninstallEncodedName", BuildUninstallBody,
     {kUninstallerGameId, 5, "-00000000000000000000000000000000", 0, 0, "a&b=c d+e%f\xD5\xC5"},
     "game_id=174&action=uninstall&uninstall_time=5&uuid=-00000000000000000000000000000000"
     "&agent_id=0&site_id=0&user_name=a%26b%3Dc%20d%2Be%25f%D5%C5"},
};

class ReportBodyTest : public testing::TestWithParam<BodyCase> {};

TEST_P(ReportBodyTest, IsExactlyTheExpectedText) {
  EXPECT_EQ(GetParam().build(GetParam().fields), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Bodies, ReportBodyTest, testing::ValuesIn(kBodyCases),
                         [](const testing::TestParamInfo<BodyCase>& info) { return info.param.name; });

TEST(ReportBody, AwkwardTextsDecodeBackExactlyAndKeepTheFieldsApart) {
  const std::string texts[] = {
      "a&b",          "x=y",          "100%",          "1+1",
      "two words",    "\xD5\xC5\xC8\xFD",  // a GBK name
      "&user_name=x", "\r\n\t\x7F\x01", "%26%",         "#:;/?@!~*'()",
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    ReportFields fields{kUninstallerGameId, 42, text, 1, 2, text};
    Form form = DecodeForm(BuildUninstallBody(fields));
    Form expected = {{"game_id", "174"}, {"action", "uninstall"}, {"uninstall_time", "42"},
                     {"uuid", text},     {"agent_id", "1"},       {"site_id", "2"},
                     {"user_name", text}};
    EXPECT_EQ(form, expected);
  }
}

TEST(ReportBody, InstallAndCloseKeepTheirKeyOrder) {
  ReportFields fields{kClientGameId, 9, "id", 1, 2, "n"};
  auto keys = [](const Form& form) {
    std::vector<std::string> k;
    for (const auto& pair : form) k.push_back(pair.first);
    return k;
  };
  EXPECT_EQ(keys(DecodeForm(BuildInstallBody(fields))),
            (std::vector<std::string>{"game_id", "action", "install_time", "uuid", "agent_id",
                                      "site_id"}));
  EXPECT_EQ(keys(DecodeForm(BuildCloseBody(fields))),
            (std::vector<std::string>{"game_id", "action", "logout_time", "uuid", "agent_id",
                                      "site_id", "user_name"}));
}

TEST(EncodeFormValue, LeavesOtherPrintableAsciiAlone) {
  std::string printable;
  for (char c = '!'; c <= '~'; ++c) {
    if (c != '%' && c != '&' && c != '=' && c != '+') printable += c;
  }
  EXPECT_EQ(EncodeFormValue(printable), printable);
  EXPECT_EQ(EncodeFormValue(""), "");
}

TEST(EncodeFormValue, EncodesEveryByteThatDecodingWouldChange) {
  const std::pair<std::string, const char*> cases[] = {
      {"%", "%25"},         {"&", "%26"},       {"=", "%3D"},
      {"+", "%2B"},         {" ", "%20"},       {std::string("\0", 1), "%00"},
      {"\x1F", "%1F"},      {"\x7F", "%7F"},    {"\x80\xFF", "%80%FF"},
      {"\xD5\xC5", "%D5%C5"},
  };
  for (const auto& [value, encoded] : cases) EXPECT_EQ(EncodeFormValue(value), encoded);
}

}  // namespace
