#include "InstallFolder.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "InstallFolderRules.h"
#include "PathRules.h"
#include "UninstallNames.h"

namespace {

void AddSpecialFolder(int csidl, std::vector<std::wstring>* folders) {
  wchar_t path[MAX_PATH] = {};
  if (SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE) && path[0]) folders->push_back(path);
}

void AddDownloadsFolder(std::vector<std::wstring>* folders) {
  PWSTR path = nullptr;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Downloads, 0, nullptr, &path)) && path) folders->push_back(path);
  CoTaskMemFree(path);
}

void AddEnvironmentFolder(const wchar_t* name, std::vector<std::wstring>* folders) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(name, path, MAX_PATH);
  if (length > 0 && length < MAX_PATH) folders->push_back(path);
}

std::vector<std::wstring> GuardedFolders() {
  std::vector<std::wstring> folders;
  for (int csidl : {CSIDL_PROFILE, CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL, CSIDL_WINDOWS, CSIDL_SYSTEM,
                    CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86, CSIDL_COMMON_DESKTOPDIRECTORY,
                    CSIDL_COMMON_DOCUMENTS})
    AddSpecialFolder(csidl, &folders);
  AddDownloadsFolder(&folders);
  // A 32-bit program sees the x86 folder as CSIDL_PROGRAM_FILES.
  AddEnvironmentFolder(L"ProgramW6432", &folders);
  return folders;
}

bool HoldsFile(const std::wstring& folder, const wchar_t* name) {
  const auto path = uninstall::JoinPath(folder, name);
  if (!path) return false;
  const DWORD attributes = GetFileAttributesW(path->c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring GetInstallFolder() {
  wchar_t self[uninstall::kPathCapacity] = {};
  const DWORD length = GetModuleFileNameW(nullptr, self, uninstall::kPathCapacity);
  if (length == 0 || length >= uninstall::kPathCapacity) return {};
  return uninstall::FolderOfModulePath(self);
}

bool IsClientInstallation(const std::wstring& folder) {
  uninstall::FolderFacts facts;
  facts.folder = folder;
  facts.holdsClient = HoldsFile(folder, uninstall::kClientExeName);
  facts.guardedFolders = GuardedFolders();
  return uninstall::IsDeletableInstallation(facts);
}
