#pragma once
#include <string>

// Opens a link button's address in the default browser. The top-up links
// carry the client's user name and, for the caption's, serverId.
void OpenLink(int linkId, const std::wstring& serverId);

// Opens url in the default browser; failures (no browser) are ignored.
void OpenInDefaultBrowser(const wchar_t* url);
