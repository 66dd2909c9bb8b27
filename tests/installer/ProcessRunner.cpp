#include "ProcessRunner.h"

#include <vector>

#include "UniqueHandle.h"

namespace installertest {

HANDLE StartProcess(const std::wstring& commandLine) {
  // CreateProcessW may write into its command line.
  std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back(L'\0');
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    return nullptr;
  }
  CloseHandle(pi.hThread);
  return pi.hProcess;
}

std::optional<DWORD> RunAndWait(const std::wstring& commandLine, DWORD timeoutMs) {
  UniqueKernelHandle process(StartProcess(commandLine));
  if (!process) return std::nullopt;
  if (WaitForSingleObject(process.Get(), timeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), 5000);
    return std::nullopt;
  }
  DWORD code = 0;
  if (!GetExitCodeProcess(process.Get(), &code)) return std::nullopt;
  return code;
}

}  // namespace installertest
