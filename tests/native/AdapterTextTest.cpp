#include "AdapterText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kEthernet("\x00\x1A\x2B\x3C\x4D\x5E", 6);
const std::string kWireless("\x02\x00\x4C\x4F\x4F\x50", 6);

struct AdapterCase {
  const char* name;
  std::vector<std::string> addresses;
  std::string expected;
};

std::vector<std::string> Fifteen() {
  std::vector<std::string> list;
  for (int i = 0; i < 15; ++i) list.push_back(std::string("\xAA\xBB\xCC\xDD\xEE", 5) + char(i));
  return list;
}

std::string FifteenText() {
  std::string text;
  const char* digits = "0123456789ABCDEF";
  for (int i = 0; i < 15; ++i) {
    if (i) text += '#';
    text += std::string("AA:BB:CC:DD:EE:0") + digits[i];
  }
  return text;
}

class AdapterTextTest : public testing::TestWithParam<AdapterCase> {};

TEST_P(AdapterTextTest, Formats) {
  EXPECT_EQ(FormatAdapterText(GetParam().addresses), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, AdapterTextTest,
    testing::Values(
        AdapterCase{"None", {}, ""},
        AdapterCase{"One", {kEthernet}, "00:1A:2B:3C:4D:5E"},
        AdapterCase{"TwoInListOrder", {kWireless, kEthernet}, "02:00:4C:4F:4F:50#00:1A:2B:3C:4D:5E"},
        AdapterCase{"FifteenBuiltWhole", Fifteen(), FifteenText()},
        AdapterCase{"EmptyAddressFirst", {"", kEthernet}, "00:1A:2B:3C:4D:5E"},
        AdapterCase{"EmptyAddressBetween", {kEthernet, "", kWireless},
                    "00:1A:2B:3C:4D:5E#02:00:4C:4F:4F:50"},
        AdapterCase{"EmptyAddressLast", {kEthernet, ""}, "00:1A:2B:3C:4D:5E"},
        AdapterCase{"OnlyEmptyAddresses", {"", ""}, ""},
        AdapterCase{"OddLengths", {std::string("\xFF", 1), std::string("\x00\x01\x02\x03\x04\x05\x06\x07", 8)},
                    "FF#00:01:02:03:04:05:06:07"}),
    [](const testing::TestParamInfo<AdapterCase>& info) { return info.param.name; });

TEST(AdapterText, FifteenAdaptersKeepEveryCharacter) {
  EXPECT_EQ(FormatAdapterText(Fifteen()).size(), 15u * 17u + 14u);
}

TEST(UninstallerDeviceId, AppendsTheFourProcessorValuesAsUpperCaseHex) {
  struct Case {
    std::string adapters;
    std::uint32_t leaf0Edx, leaf0Eax, leaf1Edx, leaf1Ecx;
    std::string expected;
  };
  const Case cases[] = {
      {"00:1A:2B:3C:4D:5E", 0x49656E69, 0x16, 0x178BFBFF, 0x7FFAFBBF,
       "00:1A:2B:3C:4D:5E-49656E6900000016178BFBFF7FFAFBBF"},
      {"", 0, 0, 0, 0, "-00000000000000000000000000000000"},
      {"FF#01:02", 0xFFFFFFFF, 0xabcdef01, 1, 0x80000000,
       "FF#01:02-FFFFFFFFABCDEF010000000180000000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatUninstallerDeviceId(c.adapters, c.leaf0Edx, c.leaf0Eax, c.leaf1Edx, c.leaf1Ecx),
              c.expected);
  }
}

}  // namespace
