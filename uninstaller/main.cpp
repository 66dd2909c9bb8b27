#include <windows.h>

#include "AppManager.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CAppManager app;
  app.Run();
  return 0;
}
