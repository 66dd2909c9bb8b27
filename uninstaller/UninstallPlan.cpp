#include "UninstallPlan.h"

#include <windows.h>
#include <shlobj.h>

#include "InstallFolder.h"
#include "UninstallNames.h"
#include "vd_config.h"

namespace {

std::wstring SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE)) return {};
  return path;
}

}  // namespace

UninstallPlan PlanForFolder(const std::wstring& installFolder) {
  UninstallPlan plan;
  plan.installFolder = installFolder;
  plan.installFolderDeletable = IsClientInstallation(installFolder);
  plan.desktopFolder = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
  plan.programsFolder = SpecialFolder(CSIDL_PROGRAMS);
  plan.statsUrl = VD_STATS_URL;
  plan.feedbackUrl = std::wstring(VD_FEEDBACK_SITE_W) + uninstall::kFeedbackPath;
  return plan;
}

UninstallPlan PlanForThisProgram() { return PlanForFolder(GetInstallFolder()); }
