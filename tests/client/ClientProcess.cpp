#include "ClientProcess.h"

#include <chrono>
#include <filesystem>
#include <thread>

#include "WinTestSupport.h"
#include "WindowSearch.h"

namespace {
std::wstring BuiltClient() {
  wchar_t dir[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableW(L"VD_BINARY_DIR", dir, MAX_PATH);
  std::wstring path = n > 0 && n < MAX_PATH ? dir : L".";
  // The build folder is a host path; Wine shows the host's root as Z:.
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path + L"\\client\\vd.exe";
}
}  // namespace

std::wstring PrepareClientFolder(const std::wstring& name) {
  namespace fs = std::filesystem;
  fs::path folder = fs::path(testsupport::TestOutputDir()) / L"client_runs" / name;
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  fs::create_directories(folder);
  fs::copy_file(BuiltClient(), folder / L"vd.exe", fs::copy_options::overwrite_existing);
  return folder.wstring();
}

std::wstring ClientExeIn(const std::wstring& folder) { return folder + L"\\vd.exe"; }

ClientProcess::~ClientProcess() {
  if (info_.hProcess) {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hProcess);
  }
  if (info_.hThread) CloseHandle(info_.hThread);
}

bool ClientProcess::Start(const std::wstring& exePath, const std::wstring& folder) {
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  std::wstring commandLine = L"\"" + exePath + L"\"";
  return CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &si, &info_) != FALSE;
}

HWND ClientProcess::WaitForFrame(int timeoutMs) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < end) {
    WindowSearch search;
    search.processId = info_.dwProcessId;
    wcscpy_s(search.className, L"valdris");
    wcscpy_s(search.title, L"Valdris3");
    EnumWindows(&MatchWindowSearch, reinterpret_cast<LPARAM>(&search));
    if (search.found) return frame_ = search.found;
    if (WaitForSingleObject(info_.hProcess, 20) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

bool ClientProcess::CloseAndWait(int timeoutMs) {
  if (frame_) PostMessageW(frame_, WM_CLOSE, 0, 0);
  return WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

DWORD ClientProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}
