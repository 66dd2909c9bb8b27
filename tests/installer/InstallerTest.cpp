#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "IniFile.h"
#include "RegistryValues.h"
#include "ScopedUserRegistry.h"
#include "SetupFixture.h"
#include "ShellLink.h"
#include "UniqueHandle.h"

namespace installertest {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;
namespace fs = std::filesystem;

bool Exists(const std::wstring& path) {
  std::error_code ignored;
  return fs::exists(path, ignored);
}

std::vector<std::wstring> Entries(const std::wstring& folder) {
  std::vector<std::wstring> names;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(folder, ignored)) {
    names.push_back(entry.path().filename().wstring());
  }
  return names;
}

class FreshInstall : public SetupTest {};

TEST_F(FreshInstall, DefaultFolderHoldsBothProgramsAndOnlyTheInstallKeysOfConfigIni) {
  const auto before = UnixTimeNow();
  ASSERT_EQ(InstallSilently(), 0u);
  const auto after = UnixTimeNow();

  const std::wstring folder = DefaultInstallFolder();
  EXPECT_THAT(Entries(folder), UnorderedElementsAre(L"vd.exe", L"vd_uninstall.exe", L"Config.ini"));
  // Swapped or stale programs would pass an existence check.
  EXPECT_EQ(ReadFileBytes(folder + L"\\vd.exe"), ReadFileBytes(BuildPath(L"client\\vd.exe")));
  EXPECT_EQ(ReadFileBytes(folder + L"\\vd_uninstall.exe"),
            ReadFileBytes(BuildPath(L"uninstaller\\vd_uninstall.exe")));

  const std::wstring ini = folder + L"\\Config.ini";
  EXPECT_THAT(ReadIniSections(ini), UnorderedElementsAre(L"Common", L"Install"));
  EXPECT_THAT(ReadIniKeys(ini, L"Common"), UnorderedElementsAre(L"UID", L"ADV"));
  EXPECT_EQ(ReadIniValue(ini, L"Common", L"UID"), std::wstring(VD_TEST_CHANNEL_UID));
  EXPECT_EQ(ReadIniValue(ini, L"Common", L"ADV"), std::wstring(VD_TEST_CHANNEL_ADV));
  EXPECT_THAT(ReadIniKeys(ini, L"Install"), ElementsAre(L"InstallTime"));
  // Unix seconds: digits only, since the client puts the text into its URL unencoded.
  const std::wstring installTime = ReadIniValue(ini, L"Install", L"InstallTime").value_or(L"");
  ASSERT_FALSE(installTime.empty());
  ASSERT_EQ(installTime.find_first_not_of(L"0123456789"), std::wstring::npos) << installTime;
  const auto seconds = std::stoull(installTime);
  EXPECT_GE(seconds, before);
  EXPECT_LE(seconds, after);
}

TEST_F(FreshInstall, UninstallEntryDescribesTheInstallation) {
  const std::wstring folder = Scratch(L"游戏 目录\\Valdris3");
  ASSERT_EQ(InstallSilently(folder), 0u);

  struct Expected {
    const wchar_t* name;
    std::wstring value;
  };
  const Expected strings[] = {
      {L"DisplayName", L"Valdris3"},
      {L"DisplayIcon", folder + L"\\vd.exe,0"},
      {L"UninstallString", L"\"" + folder + L"\\vd_uninstall.exe\""},
      {L"InstallLocation", folder},
      {L"Publisher", L"Korvan"},
      {L"DisplayVersion", L"1.16"},
  };
  for (const auto& e : strings) {
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kUninstallKey, e.name), e.value) << e.name;
  }
  EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, kUninstallKey, L"NoModify"), 1u);
  EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, kUninstallKey, L"NoRepair"), 1u);
  const auto programBytes =
      fs::file_size(folder + L"\\vd.exe") + fs::file_size(folder + L"\\vd_uninstall.exe");
  const auto size = ReadRegistryDword(HKEY_CURRENT_USER, kUninstallKey, L"EstimatedSize");
  ASSERT_TRUE(size.has_value());
  EXPECT_GE(*size, programBytes / 1024);
  EXPECT_LE(*size, programBytes / 1024 + 4);

  // The uninstaller deletes the key with RegDeleteKey, which fails on a key with subkeys.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD subkeys = 1;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  EXPECT_EQ(subkeys, 0u);
}

TEST_F(FreshInstall, ShortcutsStartTheProgramsInTheirFolder) {
  const std::wstring folder = Scratch(L"游戏 目录\\Valdris3");
  ASSERT_EQ(InstallSilently(folder), 0u);

  const std::wstring grouped = StartMenuGroup() + L"\\Valdris3";
  struct Expected {
    std::wstring link;
    std::wstring target;
  };
  const Expected links[] = {
      {desktop_ + L"\\Valdris3.lnk", folder + L"\\vd.exe"},
      {grouped + L"\\Valdris3.lnk", folder + L"\\vd.exe"},
      {grouped + L"\\卸载Valdris3.lnk", folder + L"\\vd_uninstall.exe"},
  };
  for (const auto& e : links) {
    const auto info = ReadShellLink(e.link);
    ASSERT_TRUE(info.has_value()) << fs::path(e.link).u8string();
    EXPECT_EQ(info->target, e.target);
    EXPECT_EQ(info->workingDirectory, folder);
  }
  EXPECT_THAT(Entries(desktop_), ElementsAre(L"Valdris3.lnk"));
  EXPECT_THAT(Entries(grouped), UnorderedElementsAre(L"Valdris3.lnk", L"卸载Valdris3.lnk"));
  // One Start-menu entry: the uninstaller also removes a plain Programs\Valdris3,
  // which the installer must not make.
  EXPECT_THAT(Entries(programs_), ElementsAre(L"Korvan游戏"));
  EXPECT_THAT(Entries(StartMenuGroup()), ElementsAre(L"Valdris3"));
}

TEST_F(FreshInstall, ConfigIniKeepsAChineseUserNameTheClientStores) {
  const std::wstring folder = Scratch(L"Valdris3");
  ASSERT_EQ(InstallSilently(folder), 0u);
  const std::wstring ini = folder + L"\\Config.ini";
  // An ANSI profile file turns these into question marks on a system whose
  // code page is not Chinese; a UTF-16 one keeps them.
  EXPECT_EQ(ReadFileBytes(ini).substr(0, 2), "\xFF\xFE");
  ASSERT_TRUE(WriteIniValue(ini, L"Common", L"user_name", L"玩家甲"));
  EXPECT_EQ(ReadIniValue(ini, L"Common", L"user_name"), L"玩家甲");
  EXPECT_EQ(ReadIniValue(ini, L"Common", L"UID"), std::wstring(VD_TEST_CHANNEL_UID));
}

class Reinstall : public SetupTest {};

TEST_F(Reinstall, UpdatesTheProgramsAndKeepsWhatTheClientWrote) {
  const std::wstring folder = Scratch(L"Valdris3");
  ASSERT_EQ(InstallSilently(folder), 0u);
  const std::wstring ini = folder + L"\\Config.ini";
  ASSERT_TRUE(WriteIniValue(ini, L"GameInfo", L"Version", L"1.16"));
  ASSERT_TRUE(WriteIniValue(ini, L"Common", L"RunCount", L"7"));
  ASSERT_TRUE(WriteIniValue(ini, L"Common", L"user_name", L"玩家 01"));
  ASSERT_TRUE(WriteIniValue(ini, L"Install", L"InstallTime", L"1500000000"));
  ASSERT_TRUE(WriteFileBytes(folder + L"\\vd.exe", "an older client"));
  RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
  fs::remove(desktop_ + L"\\Valdris3.lnk");

  ASSERT_EQ(InstallSilently(folder), 0u);

  EXPECT_EQ(ReadFileBytes(folder + L"\\vd.exe"), ReadFileBytes(BuildPath(L"client\\vd.exe")));
  EXPECT_EQ(ReadIniValue(ini, L"Common", L"RunCount"), L"7");
  EXPECT_EQ(ReadIniValue(ini, L"Common", L"user_name"), L"玩家 01");
  EXPECT_EQ(ReadIniValue(ini, L"GameInfo", L"Version"), L"1.16");
  EXPECT_EQ(ReadIniValue(ini, L"Install", L"InstallTime"), L"1500000000");
  EXPECT_EQ(ReadIniValue(ini, L"Common", L"UID"), std::wstring(VD_TEST_CHANNEL_UID));
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation"), folder);
  EXPECT_TRUE(Exists(desktop_ + L"\\Valdris3.lnk"));
}

TEST_F(Reinstall, WithoutAFolderGoesToTheEarlierInstallation) {
  const std::wstring folder = Scratch(L"elsewhere");
  ASSERT_EQ(InstallSilently(folder), 0u);
  ASSERT_EQ(InstallSilently(), 0u);
  EXPECT_TRUE(Exists(folder + L"\\vd.exe"));
  EXPECT_FALSE(Exists(DefaultInstallFolder()));
}

// A window like the client's frame, for as long as the object lives.
class StandInClientWindow {
 public:
  StandInClientWindow() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"valdris";
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, L"valdris", L"Valdris3", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              wc.hInstance, nullptr);
  }
  ~StandInClientWindow() {
    if (window_) DestroyWindow(window_);
    UnregisterClassW(L"valdris", GetModuleHandleW(nullptr));
  }
  StandInClientWindow(const StandInClientWindow&) = delete;
  StandInClientWindow& operator=(const StandInClientWindow&) = delete;
  [[nodiscard]] bool Exists() const { return window_ != nullptr; }

 private:
  HWND window_ = nullptr;
};

TEST_F(Reinstall, WaitsForARunningClientAndInSilentModeEndsWithAnError) {
  const std::wstring folder = Scratch(L"Valdris3");
  ASSERT_EQ(InstallSilently(folder), 0u);
  ASSERT_TRUE(WriteFileBytes(folder + L"\\vd.exe", "the running client"));
  StandInClientWindow client;
  ASSERT_TRUE(client.Exists());
  EXPECT_EQ(InstallSilently(folder), 3u);
  EXPECT_EQ(ReadFileBytes(folder + L"\\vd.exe"), "the running client");
}

TEST_F(Reinstall, EndsWithAnErrorWhenAProgramCannotBeReplaced) {
  const std::wstring folder = Scratch(L"Valdris3");
  ASSERT_EQ(InstallSilently(folder), 0u);
  ASSERT_TRUE(WriteFileBytes(folder + L"\\vd_uninstall.exe", "an older uninstaller"));
  UniqueFileHandle held(CreateFileW((folder + L"\\vd_uninstall.exe").c_str(), GENERIC_READ, 0,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  EXPECT_EQ(InstallSilently(folder), 4u);
}

// The uninstaller deletes everything in its folder, so the installer must
// not move into a folder that holds somebody else's files.
struct FolderCase {
  const char* name;
  std::vector<std::wstring> files;    // made before the install
  std::vector<std::wstring> folders;  // likewise
  bool accepted;
};

void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.name; }

class TargetFolder : public SetupTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(TargetFolder, IsUsedOnlyWhenItHoldsNothingButAnEarlierInstallation) {
  const FolderCase& c = GetParam();
  const std::wstring folder = Scratch(L"target");
  if (!c.files.empty() || !c.folders.empty()) fs::create_directories(folder);
  for (const auto& f : c.folders) fs::create_directories(folder + L"\\" + f);
  for (const auto& f : c.files) ASSERT_TRUE(WriteFileBytes(folder + L"\\" + f, "kept"));

  const auto code = InstallSilently(folder);
  ASSERT_TRUE(code.has_value());
  if (c.accepted) {
    EXPECT_EQ(*code, 0u);
    EXPECT_TRUE(Exists(folder + L"\\vd_uninstall.exe"));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallKey));
    return;
  }
  EXPECT_NE(*code, 0u);
  for (const auto& f : c.files) {
    EXPECT_EQ(ReadFileBytes(folder + L"\\" + f), "kept") << fs::path(f).u8string();
  }
  if (fs::is_directory(folder)) {
    EXPECT_EQ(Entries(folder).size(), c.files.size() + c.folders.size());
  }
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallKey));
  EXPECT_TRUE(Entries(desktop_).empty());
  EXPECT_TRUE(Entries(programs_).empty());
}

const FolderCase kFolderCases[] = {
    {"Missing", {}, {}, true},
    {"Empty", {}, {L""}, true},
    {"EarlierInstallation", {L"vd.exe", L"vd_uninstall.exe", L"Config.ini"}, {}, true},
    {"InterruptedUninstall", {L"vd_uninstall.exe", L"korvan_uninstall.bat"}, {}, true},
    {"ForeignFile", {L"notes.txt"}, {}, false},
    {"EarlierInstallationWithForeignFile", {L"vd.exe", L"Config.ini", L"save.dat"}, {}, false},
    {"Subfolder", {L"vd.exe"}, {L"photos"}, false},
    {"SettingsWithoutPrograms", {L"Config.ini"}, {}, false},
};

INSTANTIATE_TEST_SUITE_P(Cases, TargetFolder, ::testing::ValuesIn(kFolderCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Requests the installer would otherwise quietly replace by its default
// folder, and folders the uninstaller would refuse to empty.
struct RequestCase {
  const char* name;
  std::wstring (*argument)(const std::wstring& scratch);  // what follows /S
};

void PrintTo(const RequestCase& c, std::ostream* os) { *os << c.name; }

class RefusedRequest : public SetupTest, public ::testing::WithParamInterface<RequestCase> {};

TEST_P(RefusedRequest, EndsWithAnErrorAndMakesNothing) {
  const std::wstring documents = Scratch(L"documents");
  fs::create_directories(documents);
  ScopedUserRegistry registry;
  ASSERT_TRUE(registry.Set(L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                           L"Personal", REG_EXPAND_SZ, documents));
  ASSERT_TRUE(WriteFileBytes(Scratch(L"file"), "kept"));

  const auto code = RunInstaller(L"/S " + GetParam().argument(Scratch(L"")));
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 2u);
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallKey));
  EXPECT_FALSE(Exists(DefaultInstallFolder()));
  EXPECT_TRUE(Entries(documents).empty());
  EXPECT_EQ(ReadFileBytes(Scratch(L"file")), "kept");
  EXPECT_TRUE(Entries(desktop_).empty());
}

const RequestCase kRequestCases[] = {
    {"PathIsAFile", [](const std::wstring& s) { return L"/D=" + s + L"file"; }},
    {"DriveRoot", [](const std::wstring&) { return std::wstring(L"/D=C:\\"); }},
    {"QuotedFolder", [](const std::wstring& s) { return L"\"/D=" + s + L"new folder\""; }},
    {"EmptyDocumentsFolder", [](const std::wstring& s) { return L"/D=" + s + L"documents"; }},
};

INSTANTIATE_TEST_SUITE_P(Cases, RefusedRequest, ::testing::ValuesIn(kRequestCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupTest, AcceptsAFolderInsideTheDocuments) {
  const std::wstring documents = Scratch(L"documents");
  fs::create_directories(documents);
  ScopedUserRegistry registry;
  ASSERT_TRUE(registry.Set(L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                           L"Personal", REG_EXPAND_SZ, documents));
  EXPECT_EQ(InstallSilently(documents + L"\\Valdris3"), 0u);
  EXPECT_TRUE(Exists(documents + L"\\Valdris3\\vd.exe"));
}

}  // namespace
}  // namespace installertest
