#pragma once
#include <windows.h>

class CAppManager;

// Process-wide registry of application objects (at most one per thread),
// the sole-application fast path and the list of registered class names.
[[nodiscard]] bool RegisterApp(CAppManager* app);
void UnregisterApp(DWORD threadId);
[[nodiscard]] CAppManager* FindApp(DWORD threadId);
[[nodiscard]] CAppManager* SoleApp();
// The sole application when there is one, else the calling thread's.
[[nodiscard]] CAppManager* CurrentApp();

[[nodiscard]] bool IsClassNameListed(const wchar_t* className);
void ListClassName(const wchar_t* className);

void SetAppInstance(HINSTANCE instance);
[[nodiscard]] HINSTANCE AppInstance();
