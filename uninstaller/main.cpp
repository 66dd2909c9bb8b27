#include <windows.h>

#include "Uninstall.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CUninstall app;
  app.Run();
  return 0;
}
