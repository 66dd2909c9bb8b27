#include "LinkTable.h"

#include "LandingUrl.h"

namespace {

std::wstring TopUpBase(const LinkSites& sites) { return sites.pay + L"/?game_id=1306"; }

std::wstring Param(const wchar_t* key, const std::wstring& value) {
  return std::wstring(L"&") + key + L"=" + EncodeQueryValue(value);
}

}  // namespace

std::wstring BuildLinkAddress(int linkId, const LinkSites& sites, const LinkUser& user) {
  switch (linkId) {
    case kCaptionServiceLink:
    case kLauncherServiceLink:
      return sites.portal + L"/kf.html";
    case kCaptionForumLink:
    case kLauncherForumLink:
      return sites.forum + L"/";
    case kCaptionSiteLink:
    case kLauncherSiteLink:
      return sites.game + L"/";
    case kCaptionAntiAddictionLink:
      return sites.portal + L"/my.php?act=fcm";
    case kCaptionTopUpLink: {
      // The caption's top-up link always names the user, even when unknown.
      std::wstring address = TopUpBase(sites) + Param(L"user_name", user.userName);
      if (!user.serverId.empty()) address += Param(L"server_id", user.serverId);
      return address;
    }
    case kLauncherTopUpLink:
      if (user.userName.empty()) return TopUpBase(sites);
      return TopUpBase(sites) + Param(L"user_name", user.userName);
    default:
      return {};
  }
}
