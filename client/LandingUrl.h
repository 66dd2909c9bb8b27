#pragma once
#include <string>
#include <string_view>

// The values the landing page's query carries, in the order of the query.
struct LandingUrlFields {
  std::wstring page;         // the game site's "/wd/index.html"
  std::wstring installTime;  // "Install" / "InstallTime", as stored
  int agentId = 0;           // "Common" / "UID"
  int placeId = 0;           // "Common" / "ADV"
  int runCount = 0;          // "Common" / "RunCount" as read, before the increment
  std::wstring mac;          // the adapter-address text
  std::wstring version;      // the version tag
};

inline constexpr wchar_t kLandingPagePath[] = L"/wd/index.html";
inline constexpr wchar_t kLandingVersionTag[] = L"IE:20181105";

// page?installtime=..&agent_id=..&cplaceid=..&runcount=..&mac=..&Version=..
// The URL is built whole, however long its values are.
[[nodiscard]] std::wstring BuildLandingUrl(const LandingUrlFields& fields);

// Percent-encodes (UTF-8, upper-case hex) what would end or split a query
// value: "#", "&", "%", "+", space, control characters and everything beyond
// ASCII. Every other character stays as it is, so ordinary values such as
// "IE:20181105" or "00:1A:2B:3C:4D:5E" read the same.
[[nodiscard]] std::wstring EncodeQueryValue(std::wstring_view value);
