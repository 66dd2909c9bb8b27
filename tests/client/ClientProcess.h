#pragma once
#include <windows.h>

#include <string>

// One run of the real client, started from its own folder.
class ClientProcess {
 public:
  ClientProcess() = default;
  ~ClientProcess();
  ClientProcess(const ClientProcess&) = delete;
  ClientProcess& operator=(const ClientProcess&) = delete;

  [[nodiscard]] bool Start(const std::wstring& exePath, const std::wstring& folder);
  // The client's frame window, once it exists (class "valdris", "Valdris3").
  [[nodiscard]] HWND WaitForFrame(int timeoutMs);
  // Ends the run the way closing the frame does; true when the process exited.
  [[nodiscard]] bool CloseAndWait(int timeoutMs);
  [[nodiscard]] DWORD ExitCode() const;
  [[nodiscard]] DWORD ProcessId() const { return info_.dwProcessId; }

 private:
  PROCESS_INFORMATION info_ = {};
  HWND frame_ = nullptr;
};

// A fresh folder under the test output folder holding a copy of the client.
[[nodiscard]] std::wstring PrepareClientFolder(const std::wstring& name);
[[nodiscard]] std::wstring ClientExeIn(const std::wstring& folder);
