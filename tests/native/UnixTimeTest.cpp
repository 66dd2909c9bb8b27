#include "UnixTime.h"

#include <gtest/gtest.h>

namespace {

TEST(UnixSecondsFromFileTime, CountsWholeSecondsFrom1970) {
  struct Case {
    std::uint64_t fileTime;
    std::uint64_t seconds;
  };
  const Case cases[] = {
      {kFileTimeOfUnixEpoch, 0},
      {kFileTimeOfUnixEpoch + 9999999, 0},  // truncates
      {kFileTimeOfUnixEpoch + 10000000, 1},
      {134414725200000000ULL, 1796998920},  // 2026-12-11 14:22:00 UTC
      {137919572489999999ULL, 2147483648},  // past the 32-bit limit of 2038
      {18446744073709551615ULL, 1833029933770ULL},
      {kFileTimeOfUnixEpoch - 1, 0},  // before 1970: no wrap-around
      {0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UnixSecondsFromFileTime(c.fileTime), c.seconds) << c.fileTime;
  }
}

}  // namespace
