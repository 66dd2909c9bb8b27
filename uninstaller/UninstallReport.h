#pragma once
#include <string>

// Reads "UID", "ADV" and "user_name" from the settings file's "Common"
// section and posts the uninstall report to the statistics server. The
// answer is not used.
void SendUninstallReport(const std::wstring& settingsPath, const std::string& statsUrl);
