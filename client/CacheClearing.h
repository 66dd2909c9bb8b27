#pragma once
#include <windows.h>

// Deletes every entry of the user's Internet cache, then tells the player
// in a box owned by the window passed as parameter. A request made while a
// clearing still runs returns at once.
DWORD WINAPI ClearCacheWorker(LPVOID ownerWindow);
