#pragma once
#include <windows.h>

// The window procedure of every class the framework registers: routes each
// message to the window object bound at WM_NCCREATE.
LRESULT CALLBACK SharedWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
