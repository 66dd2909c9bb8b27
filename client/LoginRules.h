#pragma once
#include <string>
#include <string_view>

// Fields learned from the game's pages keep at most this many UTF-16 units.
inline constexpr std::size_t kLearnedFieldCapacity = 63;
// The page title drawn in the caption keeps at most this many units.
inline constexpr std::size_t kPageTitleCapacity = 259;

inline constexpr wchar_t kGameLoginMarker[] = L"act=gamelogin";
inline constexpr wchar_t kServerIdMarker[] = L"server_id=";
inline constexpr wchar_t kUserPageMarker[] = L"xf.html";
inline constexpr wchar_t kLoginUserElement[] = L"login_user";

// A URL that enters the game: it holds "act=gamelogin" or the login gate's
// host name. Markers are case-sensitive; an empty gate host never matches.
[[nodiscard]] bool IsLoginUrl(std::wstring_view url, std::wstring_view gateHost);

[[nodiscard]] bool IsUserPageUrl(std::wstring_view url);

// The id after the first "server_id=", up to the next "&", cut at a
// character boundary to the field's capacity. False when the marker is absent.
[[nodiscard]] bool ExtractServerId(std::wstring_view url, std::wstring* serverId);
