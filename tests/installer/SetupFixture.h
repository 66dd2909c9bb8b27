#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "ScopedUserRegistry.h"

namespace installertest {

inline const wchar_t kUninstallKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Valdris3";

// A path below the build folder, in Windows form (Wine shows the Unix root as Z:).
[[nodiscard]] std::wstring BuildPath(const std::wstring& relative);
[[nodiscard]] std::uint64_t UnixTimeNow();
[[nodiscard]] std::string ReadFileBytes(const std::wstring& path);
[[nodiscard]] bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

// Each test gets its own desktop and Start menu, no uninstall entry and an
// empty scratch folder; the installer's default folder is removed before and after.
class SetupTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs the installer silently into folder (its default when empty).
  [[nodiscard]] std::optional<DWORD> InstallSilently(const std::wstring& folder = {}) const;
  [[nodiscard]] std::optional<DWORD> RunInstaller(const std::wstring& arguments) const;
  [[nodiscard]] std::wstring Scratch(const std::wstring& name) const;
  [[nodiscard]] static std::wstring DefaultInstallFolder();
  [[nodiscard]] std::wstring StartMenuGroup() const;

  std::wstring desktop_;
  std::wstring programs_;

 private:
  std::wstring scratch_;
  ScopedUserRegistry registry_;
  bool comReady_ = false;
};

}  // namespace installertest
