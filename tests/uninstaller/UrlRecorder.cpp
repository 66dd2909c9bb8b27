// Stands in for the web browser: url_recorder.exe <log file> <url> appends
// the URL as one UTF-8 line to the log.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc < 3) return 1;
  char url[2048] = {};
  WideCharToMultiByte(CP_UTF8, 0, argv[2], -1, url, sizeof url - 1, nullptr, nullptr);
  std::FILE* log = _wfopen(argv[1], L"ab");
  LocalFree(argv);
  if (!log) return 1;
  std::fprintf(log, "%s\n", url);
  std::fclose(log);
  return 0;
}
