#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace installertest {

// Starts commandLine and waits for it; the exit code, or nothing when the
// process could not start or did not end within timeoutMs (it is then ended).
[[nodiscard]] std::optional<DWORD> RunAndWait(const std::wstring& commandLine, DWORD timeoutMs);

// Starts commandLine without waiting; a null handle when it could not start.
[[nodiscard]] HANDLE StartProcess(const std::wstring& commandLine);

}  // namespace installertest
