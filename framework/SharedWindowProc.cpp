#include "SharedWindowProc.h"

#include "AppManager.h"
#include "AppRegistry.h"
#include "WindowCtrl.h"

LRESULT CALLBACK SharedWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CAppManager* app = CurrentApp();
  if (!app) return DefWindowProcW(hwnd, message, wParam, lParam);

  CWindowCtrl* window = app->FindWindowObject(hwnd);
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    if (auto* target = static_cast<CWindowCtrl*>(create->lpCreateParams)) {
      target->Bind(hwnd, app);
      app->AddWindow(hwnd, target);
      window = target;
    }
  } else if (message == WM_NCDESTROY) {
    app->RemoveWindow(hwnd);
  }

  if (window) return window->WindowProc(hwnd, message, wParam, lParam);
  app->OnUnboundMessage(hwnd, message, wParam, lParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
