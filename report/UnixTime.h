#pragma once
#include <cstdint>

// 100-nanosecond intervals from 1601-01-01 (the FILETIME origin) to 1970-01-01.
constexpr std::uint64_t kFileTimeOfUnixEpoch = 116444736000000000ULL;

// Whole seconds since 1970-01-01 00:00 of a FILETIME value, truncated.
// Moments before 1970 give 0 rather than wrapping round to a far future.
[[nodiscard]] constexpr std::uint64_t UnixSecondsFromFileTime(std::uint64_t fileTime) {
  return fileTime < kFileTimeOfUnixEpoch ? 0 : (fileTime - kFileTimeOfUnixEpoch) / 10000000ULL;
}
