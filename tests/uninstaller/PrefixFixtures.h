#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "UniqueHandle.h"

namespace fixtures {

// A file beside the running test executable (the helper programs).
[[nodiscard]] std::wstring BesideTestExe(const wchar_t* name);

[[nodiscard]] bool PathExists(const std::wstring& path);
void WriteTextFile(const std::wstring& path, const std::string& text);
[[nodiscard]] std::string ReadFileBytes(const std::wstring& path);
// Clears attributes and deletes a tree left by a failed test.
void RemoveTree(const std::wstring& path);
// A fresh, empty folder under the prefix's temporary folder.
[[nodiscard]] std::wstring FreshTempFolder(const std::wstring& name);

// Sets a registry value for the test's lifetime and puts the old one back.
class ScopedRegistryString {
 public:
  ScopedRegistryString(HKEY root, std::wstring subKey, std::wstring name, const std::wstring& value);
  ~ScopedRegistryString();
  ScopedRegistryString(const ScopedRegistryString&) = delete;
  ScopedRegistryString& operator=(const ScopedRegistryString&) = delete;

 private:
  HKEY root_;
  std::wstring subKey_, name_;
  std::optional<std::wstring> old_;
  DWORD oldType_ = REG_SZ;
};

// Opened web pages go to a log instead of a browser. Wine reads URL handlers
// from HKLM only.
class UrlRecorder {
 public:
  UrlRecorder();
  [[nodiscard]] std::vector<std::string> Urls() const;

 private:
  std::wstring log_;
  ScopedRegistryString handler_;
};

// The current user's desktop points into a test folder, not at the host's
// home folder that Wine links it to.
class ScopedDesktop {
 public:
  ScopedDesktop();
  [[nodiscard]] const std::wstring& Folder() const { return folder_; }

 private:
  std::wstring folder_;
  ScopedRegistryString userShellFolder_, shellFolder_;
};

// A stand-in client: a window of class "valdris" in a process of its own.
class StandInClient {
 public:
  StandInClient(const std::wstring& title, bool hidden);
  ~StandInClient();
  StandInClient(const StandInClient&) = delete;
  StandInClient& operator=(const StandInClient&) = delete;

  [[nodiscard]] HWND Window() const { return window_; }
  [[nodiscard]] bool Ended(DWORD waitMs) const;
  [[nodiscard]] DWORD ProcessId() const { return processId_; }

 private:
  UniqueKernelHandle process_;
  DWORD processId_ = 0;
  HWND window_ = nullptr;
};

// Ends the command interpreters a process started (the batch file's).
void EndChildInterpreters(DWORD parentId = GetCurrentProcessId());

// Seconds since 1970 on the local wall clock of the prefix.
[[nodiscard]] unsigned long long LocalClockSeconds();

}  // namespace fixtures
