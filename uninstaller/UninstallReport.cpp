#include "UninstallReport.h"

#include <windows.h>

#include "DeviceIdentity.h"
#include "PathRules.h"
#include "ProfileInt.h"
#include "ReportBody.h"
#include "StatsClient.h"

namespace {

constexpr DWORD kValueCapacity = 64;

std::wstring ReadCommonValue(const std::wstring& settingsPath, const wchar_t* key) {
  if (settingsPath.empty()) return {};
  wchar_t value[kValueCapacity] = {};
  GetPrivateProfileStringW(L"Common", key, L"", value, kValueCapacity, settingsPath.c_str());
  return value;
}

std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
  out.resize(static_cast<std::size_t>(size - 1));
  return out;
}

}  // namespace

void SendUninstallReport(const std::wstring& settingsPath, const std::string& statsUrl) {
  ReportFields fields;
  fields.gameId = kUninstallerGameId;
  fields.time = GetLocalUnixTime();
  fields.uuid = GetUninstallerDeviceId();
  fields.agentId = ParseProfileInt(ReadCommonValue(settingsPath, L"UID"));
  fields.siteId = ParseProfileInt(ReadCommonValue(settingsPath, L"ADV"));
  fields.userName = ToAnsi(ReadCommonValue(settingsPath, L"user_name"));
  static_cast<void>(PostReport(BuildUninstallBody(fields), statsUrl.c_str()));
}
