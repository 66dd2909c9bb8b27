#include "OpenLink.h"

#include <windows.h>
#include <shellapi.h>

#include "GameApp.h"
#include "LinkTable.h"
#include "vd_config.h"

void OpenInDefaultBrowser(const wchar_t* url) {
  if (!url || !*url) return;
  ShellExecuteW(nullptr, L"open", url, nullptr, nullptr, SW_SHOW);
}

void OpenLink(int linkId, const std::wstring& serverId) {
  const LinkSites sites{VD_GAME_SITE_W, VD_FORUM_SITE_W, VD_PORTAL_SITE_W, VD_PAY_SITE_W};
  LinkUser user;
  if (const gameApp* app = ClientApp()) user.userName = app->UserName();
  user.serverId = serverId;
  const std::wstring address = BuildLinkAddress(linkId, sites, user);
  OpenInDefaultBrowser(address.c_str());
}
