// A window like the client's main window, in a process of its own:
// stand_in_client.exe [title] [hidden]
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

LRESULT CALLBACK StandInProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::wstring title = argc > 1 ? argv[1] : L"Valdris3";
  const bool hidden = argc > 2 && std::wstring(argv[2]) == L"hidden";
  LocalFree(argv);

  WNDCLASSW wc = {};
  wc.lpfnWndProc = StandInProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"valdris";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, L"valdris", title.c_str(), WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                                nullptr, instance, nullptr);
  if (!window) return 1;
  if (!hidden) ShowWindow(window, SW_SHOWNOACTIVATE);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
