#include "SetupFixture.h"

#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "ProcessRunner.h"

namespace installertest {
namespace {

std::wstring Environment(const wchar_t* name) {
  wchar_t value[2048] = {};
  const DWORD n = GetEnvironmentVariableW(name, value, 2048);
  return n > 0 && n < 2048 ? value : L"";
}

void RemoveTree(const std::wstring& path) {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

}  // namespace

std::wstring BuildPath(const std::wstring& relative) {
  std::wstring path = Environment(L"VD_BINARY_DIR");
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
  path += L"\\" + relative;
  for (auto& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

std::uint64_t UnixTimeNow() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  const std::uint64_t ticks = (std::uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime;
  return (ticks - 116444736000000000ULL) / 10000000ULL;
}

std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

void SetupTest::SetUp() {
  comReady_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  scratch_ = std::wstring(temp) + L"vd_setup_tests";
  RemoveTree(scratch_);
  desktop_ = Scratch(L"desktop");
  programs_ = Scratch(L"programs");
  std::filesystem::create_directories(desktop_);
  std::filesystem::create_directories(programs_);
  // Under Wine the desktop is the Unix home folder, shared by every prefix,
  // and shortcuts also become Unix menu entries and icons there unless the
  // menu builder is off.
  const wchar_t shellFolders[] =
      L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  ASSERT_TRUE(registry_.Set(shellFolders, L"Desktop", REG_EXPAND_SZ, desktop_));
  ASSERT_TRUE(registry_.Set(shellFolders, L"Programs", REG_EXPAND_SZ, programs_));
  ASSERT_TRUE(registry_.Set(L"Software\\Wine\\DllOverrides", L"winemenubuilder.exe", REG_SZ, L""));
  RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
  RemoveTree(DefaultInstallFolder());
}

void SetupTest::TearDown() {
  RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
  RemoveTree(DefaultInstallFolder());
  RemoveTree(scratch_);
  if (comReady_) CoUninitialize();
}

std::optional<DWORD> SetupTest::InstallSilently(const std::wstring& folder) const {
  // /D= takes the rest of the command line, spaces included, unquoted.
  return RunInstaller(folder.empty() ? L"/S" : L"/S /D=" + folder);
}

std::optional<DWORD> SetupTest::RunInstaller(const std::wstring& arguments) const {
  return RunAndWait(L"\"" + BuildPath(L"installer\\vd_setup.exe") + L"\" " + arguments, 30000);
}

std::wstring SetupTest::Scratch(const std::wstring& name) const { return scratch_ + L"\\" + name; }

std::wstring SetupTest::DefaultInstallFolder() {
  wchar_t local[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local);
  return std::wstring(local) + L"\\Korvan\\Valdris3";
}

std::wstring SetupTest::StartMenuGroup() const { return programs_ + L"\\Korvan游戏"; }

}  // namespace installertest
