#include "PrefixFixtures.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "ProcessWindows.h"

namespace fixtures {
namespace {

constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr wchar_t kUserShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

}  // namespace

std::wstring BesideTestExe(const wchar_t* name) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.rfind(L'\\') + 1) + name;
}

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteTextFile(const std::wstring& path, const std::string& text) {
  std::ofstream out(path.c_str(), std::ios::binary);
  out << text;
}

std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        RemoveTree(child);
      else if (!DeleteFileW(child.c_str()))
        RemoveDirectoryW(child.c_str());
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(path.c_str());
}

std::wstring FreshTempFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"vd_uninstall_tests";
  CreateDirectoryW(folder.c_str(), nullptr);
  folder += L"\\" + name;
  RemoveTree(folder);
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

ScopedRegistryString::ScopedRegistryString(HKEY root, std::wstring subKey, std::wstring name,
                                           const std::wstring& value)
    : root_(root), subKey_(std::move(subKey)), name_(std::move(name)) {
  wchar_t old[1024] = {};
  DWORD size = sizeof old - sizeof(wchar_t);
  if (RegGetValueW(root_, subKey_.c_str(), name_.empty() ? nullptr : name_.c_str(),
                   RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, &oldType_, old, &size) == ERROR_SUCCESS)
    old_ = old;
  RegSetKeyValueW(root_, subKey_.c_str(), name_.empty() ? nullptr : name_.c_str(), REG_SZ, value.c_str(),
                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

ScopedRegistryString::~ScopedRegistryString() {
  const wchar_t* name = name_.empty() ? nullptr : name_.c_str();
  if (old_) {
    RegSetKeyValueW(root_, subKey_.c_str(), name, oldType_, old_->c_str(),
                    static_cast<DWORD>((old_->size() + 1) * sizeof(wchar_t)));
  } else {
    RegDeleteKeyValueW(root_, subKey_.c_str(), name);
  }
}

UrlRecorder::UrlRecorder()
    : log_(FreshTempFolder(L"urls") + L"\\opened.log"),
      handler_(HKEY_LOCAL_MACHINE, L"Software\\Classes\\http\\shell\\open\\command", L"",
               L"\"" + BesideTestExe(L"url_recorder.exe") + L"\" \"" + log_ + L"\" \"%1\"") {}

std::vector<std::string> UrlRecorder::Urls() const {
  std::vector<std::string> urls;
  std::istringstream lines(ReadFileBytes(log_));
  for (std::string line; std::getline(lines, line);) urls.push_back(line);
  return urls;
}

ScopedDesktop::ScopedDesktop()
    : folder_(FreshTempFolder(L"desktop")),
      userShellFolder_(HKEY_CURRENT_USER, kUserShellFolders, L"Desktop", folder_),
      shellFolder_(HKEY_CURRENT_USER, kShellFolders, L"Desktop", folder_) {}

StandInClient::StandInClient(const std::wstring& title, bool hidden) {
  std::wstring command = L"\"" + BesideTestExe(L"stand_in_client.exe") + L"\" \"" + title + L"\"";
  if (hidden) command += L" hidden";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return;
  CloseHandle(info.hThread);
  process_.Reset(info.hProcess);
  processId_ = info.dwProcessId;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!window_ && std::chrono::steady_clock::now() < end) {
    window_ = testsupport::FindProcessWindow(processId_, L"valdris");
    if (!window_) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

StandInClient::~StandInClient() {
  if (process_ && !Ended(0)) {
    TerminateProcess(process_.Get(), 1);
    WaitForSingleObject(process_.Get(), 5000);
  }
}

bool StandInClient::Ended(DWORD waitMs) const {
  return process_ && WaitForSingleObject(process_.Get(), waitMs) == WAIT_OBJECT_0;
}

void EndChildInterpreters(DWORD parentId) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (entry.th32ParentProcessID != parentId || lstrcmpiW(entry.szExeFile, L"cmd.exe") != 0) continue;
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
    if (!process) continue;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
  CloseHandle(snapshot);
}

unsigned long long LocalClockSeconds() {
  SYSTEMTIME local;
  GetLocalTime(&local);
  FILETIME asFileTime;
  SystemTimeToFileTime(&local, &asFileTime);
  ULARGE_INTEGER ticks;
  ticks.LowPart = asFileTime.dwLowDateTime;
  ticks.HighPart = asFileTime.dwHighDateTime;
  return (ticks.QuadPart - 116444736000000000ULL) / 10000000ULL;
}

}  // namespace fixtures
