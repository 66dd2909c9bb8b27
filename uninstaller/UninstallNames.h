#pragma once
#include <cstddef>

// Names shared with the client, the installer and the shell.
namespace uninstall {

inline constexpr wchar_t kGameTitle[] = L"Valdris3";
inline constexpr wchar_t kClientWindowClass[] = L"valdris";
inline constexpr wchar_t kMakerGroup[] = L"Korvan\x6E38\x620F";
inline constexpr wchar_t kSettingsFileName[] = L"Config.ini";
inline constexpr wchar_t kClientExeName[] = L"vd.exe";
inline constexpr char kBatchFileName[] = "korvan_uninstall.bat";
inline constexpr wchar_t kFeedbackPath[] = L"/htmlcode/304.html";
inline constexpr wchar_t kUninstallKeyParent[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr wchar_t kCompatibilityKey[] =
    L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Compatibility Assistant\\Persisted";

// The worker's finish message to the wizard: message 2277 with wParam 2278.
inline constexpr unsigned kFrameCommandMessage = 2277;
inline constexpr unsigned kUninstallFinished = 2278;

// Capacities of the fixed buffers, terminator included.
inline constexpr std::size_t kPathCapacity = 260;
inline constexpr std::size_t kBatchTextCapacity = 1024;

}  // namespace uninstall
