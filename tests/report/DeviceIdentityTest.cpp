#include "DeviceIdentity.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

bool IsUpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// Splits "HH:HH#HH" into the adapters' byte groups; empty when malformed.
std::vector<std::string> Groups(const std::string& text) {
  std::vector<std::string> groups;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = std::min(text.find('#', start), text.size());
    std::string group = text.substr(start, end - start);
    if (group.empty() || group.size() % 3 != 2) return {};
    for (std::size_t i = 0; i < group.size(); ++i) {
      bool ok = i % 3 == 2 ? group[i] == ':' : IsUpperHex(group[i]);
      if (!ok) return {};
    }
    groups.push_back(group);
    start = end + 1;
  }
  return groups;
}

// The hardware addresses that the other adapter interface of the system lists.
std::vector<std::string> AddressesFromGetAdaptersAddresses() {
  ULONG size = 64 * 1024;
  std::unique_ptr<char[]> buffer(new char[size]);
  auto* list = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.get());
  std::vector<std::string> texts;
  if (GetAdaptersAddresses(AF_UNSPEC, 0, nullptr, list, &size) != NO_ERROR) return texts;
  for (auto* a = list; a; a = a->Next) {
    std::string text;
    for (ULONG i = 0; i < a->PhysicalAddressLength; ++i) {
      char byte[4];
      wsprintfA(byte, i ? ":%02X" : "%02X", a->PhysicalAddress[i]);
      text += byte;
    }
    if (!text.empty()) texts.push_back(text);
  }
  return texts;
}

TEST(AdapterAddressText, ListsEveryAdapterOfTheSystemInTheExpectedForm) {
  std::string text = "stale";
  const int length = GetAdapterAddressText(&text);
  std::vector<std::string> expected = AddressesFromGetAdaptersAddresses();
  if (expected.empty()) {
    EXPECT_EQ(length, -1);
    EXPECT_EQ(text, "");
    return;
  }
  ASSERT_EQ(length, static_cast<int>(text.size()));
  std::vector<std::string> groups = Groups(text);
  ASSERT_FALSE(groups.empty()) << text;
  std::sort(groups.begin(), groups.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(groups, expected) << text;
  EXPECT_EQ(GetDeviceId(), text);
}

TEST(UninstallerDeviceId, IsTheAdapterTextAndFourProcessorValues) {
  const std::string adapters = GetDeviceId();
  const std::string id = GetUninstallerDeviceId();
  ASSERT_EQ(id.size(), adapters.size() + 1 + 32) << id;
  EXPECT_EQ(id.substr(0, adapters.size() + 1), adapters + "-");
  const std::string hex = id.substr(adapters.size() + 1);
  ASSERT_TRUE(std::all_of(hex.begin(), hex.end(), IsUpperHex)) << hex;
  // Leaf 0 EDX is the middle of the vendor name ("ineI", "enti", ...), stored little-endian.
  const auto leaf0Edx = static_cast<std::uint32_t>(std::strtoul(hex.substr(0, 8).c_str(), nullptr, 16));
  for (int shift = 0; shift < 32; shift += 8) {
    const char c = static_cast<char>(leaf0Edx >> shift);
    EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) << hex;
  }
  EXPECT_GE(std::strtoul(hex.substr(8, 8).c_str(), nullptr, 16), 1ul) << "leaf 0 EAX: highest leaf";
  const auto leaf1Edx = std::strtoul(hex.substr(16, 8).c_str(), nullptr, 16);
  EXPECT_TRUE(leaf1Edx & 1u) << "leaf 1 EDX bit 0: every x86 processor has the FPU";
}

// Seconds east of UTC that the prefix's time zone gives now.
long LocalOffsetSeconds() {
  TIME_ZONE_INFORMATION zone;
  const DWORD which = GetTimeZoneInformation(&zone);
  long bias = zone.Bias;
  if (which == TIME_ZONE_ID_DAYLIGHT) bias += zone.DaylightBias;
  if (which == TIME_ZONE_ID_STANDARD) bias += zone.StandardBias;
  return -bias * 60;
}

TEST(UnixTime, LocalTimeDiffersFromUtcByTheTimeZoneOffset) {
  std::uint64_t utc = 0;
  std::uint64_t local = 0;
  for (int attempt = 0; attempt < 5; ++attempt) {  // both readings within one second
    utc = GetUnixTime();
    local = GetLocalUnixTime();
    if (GetUnixTime() == utc) break;
  }
  const long long offset = static_cast<long long>(local) - static_cast<long long>(utc);
  EXPECT_EQ(offset, LocalOffsetSeconds());
  if (const char* expected = std::getenv("VD_TEST_UTC_OFFSET")) {
    EXPECT_EQ(offset, std::atoll(expected)) << "TZ=" << (std::getenv("TZ") ? std::getenv("TZ") : "");
  }
}

TEST(UnixTime, AgreesWithTheStandardClock) {
  const auto before = std::chrono::system_clock::now();
  const std::uint64_t now = GetUnixTime();
  const auto after = std::chrono::system_clock::now();
  const auto seconds = [](std::chrono::system_clock::time_point t) {
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::seconds>(t.time_since_epoch()).count());
  };
  EXPECT_GE(now, seconds(before));
  EXPECT_LE(now, seconds(after));
}

}  // namespace
