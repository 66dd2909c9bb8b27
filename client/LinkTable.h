#pragma once
#include <string>
#include <string_view>

// Ids of the caption bar's link buttons.
inline constexpr int kCaptionServiceLink = 10020;
inline constexpr int kCaptionForumLink = 10021;
inline constexpr int kCaptionSiteLink = 10022;
inline constexpr int kCaptionTopUpLink = 10023;
inline constexpr int kCaptionAntiAddictionLink = 10024;
// Ids of the launcher picture's link buttons.
inline constexpr int kLauncherSiteLink = 1003;
inline constexpr int kLauncherForumLink = 1004;
inline constexpr int kLauncherServiceLink = 1005;
inline constexpr int kLauncherTopUpLink = 1006;

// The hosts behind the links (scheme and host, no trailing slash).
struct LinkSites {
  std::wstring game;
  std::wstring forum;
  std::wstring portal;
  std::wstring pay;
};

// What the top-up links may carry.
struct LinkUser {
  std::wstring userName;
  std::wstring serverId;
};

// The address a link button opens, or "" for an id that is no link. The
// user name and server id go in as encoded query values.
[[nodiscard]] std::wstring BuildLinkAddress(int linkId, const LinkSites& sites,
                                            const LinkUser& user);
