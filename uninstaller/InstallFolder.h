#pragma once
#include <string>

// The folder that holds the running uninstaller.
[[nodiscard]] std::wstring GetInstallFolder();

// True when the folder is an installation of the client that may be deleted:
// vd.exe lies in it and it is no drive root, user folder, Windows or Program
// Files folder, nor a folder above one of them.
[[nodiscard]] bool IsClientInstallation(const std::wstring& folder);
