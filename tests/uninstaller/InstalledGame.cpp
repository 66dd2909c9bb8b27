#include "InstalledGame.h"

#include <shlobj.h>

#include "PrefixFixtures.h"

namespace fixtures {
namespace {

constexpr char kConfigIni[] =
    "[GameInfo]\r\nVersion=1.16\r\n[Common]\r\nUID=12ab\r\nADV=7\r\nRunCount=3\r\nuser_name=abcd1234\r\n";

std::wstring ProgramsFolder() {
  wchar_t path[MAX_PATH] = {};
  SHGetSpecialFolderPathW(nullptr, path, CSIDL_PROGRAMS, FALSE);
  return path;
}

}  // namespace

bool KeyExists(const wchar_t* subKey) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void MakeNestedTree(const std::wstring& root) {
  CreateDirectoryW((root + L"\\data").c_str(), nullptr);
  CreateDirectoryW((root + L"\\data\\hidden").c_str(), nullptr);
  CreateDirectoryW((root + L"\\locked").c_str(), nullptr);
  WriteTextFile(root + L"\\data\\a.dat", "a");
  WriteTextFile(root + L"\\data\\hidden\\b.dat", "b");
  WriteTextFile(root + L"\\locked\\readonly.dat", "r");
  SetFileAttributesW((root + L"\\locked\\readonly.dat").c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW((root + L"\\data").c_str(), FILE_ATTRIBUTE_ARCHIVE);
  SetFileAttributesW((root + L"\\data\\hidden").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW((root + L"\\locked").c_str(), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN);
}

InstalledGame::InstalledGame(const std::wstring& folderName, const std::wstring& desktopFolder)
    : folder(FreshTempFolder(folderName)),
      shortcut(desktopFolder + L"\\Valdris3.lnk"),
      group(ProgramsFolder() + L"\\Korvan\x6E38\x620F"),
      plain(ProgramsFolder() + L"\\Valdris3") {
  WriteTextFile(folder + L"\\vd.exe", "MZ client");
  WriteTextFile(folder + L"\\vd_uninstall.exe", "MZ uninstaller");
  WriteTextFile(folder + L"\\Config.ini", kConfigIni);
  MakeNestedTree(folder);

  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kUninstallKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
      ERROR_SUCCESS) {
    RegSetValueExW(key, L"DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"Valdris3"), 18);
    RegCloseKey(key);
  }

  WriteTextFile(shortcut, "shortcut");
  CreateDirectoryW(group.c_str(), nullptr);
  CreateDirectoryW((group + L"\\Valdris3").c_str(), nullptr);
  WriteTextFile(group + L"\\Valdris3\\Valdris3.lnk", "shortcut");
  CreateDirectoryW(plain.c_str(), nullptr);
  WriteTextFile(plain + L"\\Uninstall.lnk", "shortcut");
}

InstalledGame::~InstalledGame() {
  RemoveTree(folder);
  RemoveTree(group);
  RemoveTree(plain);
  DeleteFileW(shortcut.c_str());
  RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
}

bool InstalledGame::Untouched() const {
  for (const wchar_t* name : {L"\\vd.exe", L"\\Config.ini", L"\\data\\hidden\\b.dat", L"\\locked\\readonly.dat"})
    if (!PathExists(folder + name)) return false;
  return KeyExists(kUninstallKey) && PathExists(shortcut) && PathExists(group + L"\\Valdris3\\Valdris3.lnk") &&
         PathExists(plain + L"\\Uninstall.lnk");
}

}  // namespace fixtures
