#include <windows.h>
#include <ole2.h>

#include "GameApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (OleInitialize(nullptr) != S_OK) return 0;
  {
    gameApp app;
    app.Run();
  }
  OleUninitialize();
  return 0;
}
