#pragma once
#include <string>

// Where the uninstall acts. The paths are empty when the system did not name
// the folder; their steps are then skipped.
struct UninstallPlan {
  std::wstring installFolder;
  // Decided before anything is deleted: the test looks for vd.exe, which the
  // uninstall itself removes.
  bool installFolderDeletable = false;
  std::wstring desktopFolder;
  std::wstring programsFolder;
  std::string statsUrl;
  std::wstring feedbackUrl;
};

// The plan for an installation folder and the current user.
[[nodiscard]] UninstallPlan PlanForFolder(const std::wstring& installFolder);

// The plan for the running uninstaller's own folder.
[[nodiscard]] UninstallPlan PlanForThisProgram();
