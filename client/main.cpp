#include <windows.h>
#include <ole2.h>

#include "AppManager.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (OleInitialize(nullptr) != S_OK) return 0;
  {
    CAppManager app;
    app.Run();
  }
  OleUninitialize();
  return 0;
}
