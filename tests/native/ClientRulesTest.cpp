#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "LandingUrl.h"
#include "ProfileValues.h"

namespace {

TEST(ParseProfileInt, ReadsLeadingDigitsLikeTheWideConversion) {
  struct Row {
    const wchar_t* text;
    int expected;
  } rows[] = {
      {L"", 0},          {L"0", 0},           {L"7", 7},
      {L"42abc", 42},    {L"abc", 0},         {L"  12", 12},
      {L"\t-3", -3},     {L"+5", 5},          {L"- 5", 0},
      {L"1.16", 1},      {L"2147483647", INT_MAX},
      {L"2147483648", INT_MAX},               {L"99999999999999999999", INT_MAX},
      {L"-2147483648", INT_MIN},              {L"-99999999999999999999", INT_MIN},
  };
  for (const Row& row : rows) EXPECT_EQ(ParseProfileInt(row.text), row.expected) << row.text;
}

TEST(NextRunCount, CountsOneMoreWithoutWrapping) {
  EXPECT_EQ(NextRunCount(0), 1);
  EXPECT_EQ(NextRunCount(1), 2);
  EXPECT_EQ(NextRunCount(-5), -4);
  EXPECT_EQ(NextRunCount(INT_MAX), INT_MAX);
}

TEST(TruncateAtCharacter, NeverSplitsASurrogatePair) {
  const std::wstring pair = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
  struct Row {
    std::wstring text;
    std::size_t max;
    std::wstring expected;
  } rows[] = {
      {L"abc", 63, L"abc"},
      {L"abcdef", 3, L"abc"},
      {L"ab" + pair, 3, L"ab"},
      {L"ab" + pair, 4, L"ab" + pair},
      {L"a" + pair + L"b", 2, L"a"},
      {pair, 1, L""},
      {L"", 0, L""},
  };
  for (const Row& row : rows) EXPECT_EQ(TruncateAtCharacter(row.text, row.max), row.expected);
}

TEST(EncodeQueryValue, EscapesOnlyWhatBreaksAQueryValue) {
  struct Row {
    std::wstring value;
    std::wstring expected;
  } rows[] = {
      {L"IE:20181105", L"IE:20181105"},
      {L"00:1A:2B:3C:4D:5E", L"00:1A:2B:3C:4D:5E"},
      {L"00:1A:2B:3C:4D:5E#02:00:4C:4F:4F:50", L"00:1A:2B:3C:4D:5E%2302:00:4C:4F:4F:50"},
      {L"a&b=c", L"a%26b=c"},
      {L"50%+1 x", L"50%25%2B1%20x"},
      {L"2018-11-05 10:00:00", L"2018-11-05%2010:00:00"},
      {L"/?;,@$!'()*~_.-", L"/?;,@$!'()*~_.-"},
      {std::wstring(L"a\tb\x7F") + static_cast<wchar_t>(1), L"a%09b%7F%01"},
      {L"\u00E9", L"%C3%A9"},
      {L"\u5B89\u88C5", L"%E5%AE%89%E8%A3%85"},
      {{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)}, L"%F0%9F%98%80"},
      {{L'x', static_cast<wchar_t>(0xD83D)}, L"x%EF%BF%BD"},
      {{static_cast<wchar_t>(0xDE00), L'y'}, L"%EF%BF%BDy"},
      {L"", L""},
  };
  for (const Row& row : rows) EXPECT_EQ(EncodeQueryValue(row.value), row.expected) << row.expected;
}

LandingUrlFields FirstStart(const std::wstring& mac) {
  LandingUrlFields f;
  f.page = std::wstring(L"http://game.example") + kLandingPagePath;
  f.mac = mac;
  f.version = kLandingVersionTag;
  return f;
}

TEST(BuildLandingUrl, FormatsTheQueryInItsFixedOrder) {
  struct Row {
    LandingUrlFields fields;
    std::wstring expected;
  } rows[] = {
      {FirstStart(L"00:1A:2B:3C:4D:5E"),
       L"http://game.example/wd/index.html?installtime=&agent_id=0&cplaceid=0&runcount=0"
       L"&mac=00:1A:2B:3C:4D:5E&Version=IE:20181105"},
      {FirstStart(L""),
       L"http://game.example/wd/index.html?installtime=&agent_id=0&cplaceid=0&runcount=0"
       L"&mac=&Version=IE:20181105"},
      {[] {
         LandingUrlFields f = FirstStart(L"00:1A:2B:3C:4D:5E#02:00:4C:4F:4F:50");
         f.installTime = L"1541383200";
         f.agentId = 12;
         f.placeId = -3;
         f.runCount = 7;
         return f;
       }(),
       L"http://game.example/wd/index.html?installtime=1541383200&agent_id=12&cplaceid=-3"
       L"&runcount=7&mac=00:1A:2B:3C:4D:5E%2302:00:4C:4F:4F:50&Version=IE:20181105"},
  };
  for (const Row& row : rows) EXPECT_EQ(BuildLandingUrl(row.fields), row.expected);
}

TEST(BuildLandingUrl, KeepsLongValuesWhole) {
  // Fifteen adapters and an install time of 63 characters beyond ASCII: far
  // past 511 characters once encoded, and nothing of it is cut.
  std::wstring mac;
  for (int i = 0; i < 15; ++i) mac += (i ? L"#" : L"") + std::wstring(L"AA:BB:CC:DD:EE:FF");
  LandingUrlFields f = FirstStart(mac);
  f.installTime = std::wstring(63, L'\u5B89');
  std::wstring url = BuildLandingUrl(f);
  EXPECT_GT(url.size(), 511u);
  EXPECT_NE(url.find(L"installtime=" + EncodeQueryValue(f.installTime) + L"&agent_id=0"),
            std::wstring::npos);
  EXPECT_NE(url.find(L"&mac=" + EncodeQueryValue(mac) + L"&Version=IE:20181105"), std::wstring::npos);
  EXPECT_EQ(url.substr(url.size() - 20), L"&Version=IE:20181105");
}

}  // namespace
