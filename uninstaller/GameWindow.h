#pragma once
#include <windows.h>

// The first top-level window, hidden ones included, of the client's class
// and, when a title is given, with exactly that title; null when none.
[[nodiscard]] HWND FindGameWindow(const wchar_t* title);

// Asks whether to close a running client. False when the user says No; the
// worker ends the client later.
[[nodiscard]] bool ConfirmCloseGame();
