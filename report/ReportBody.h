#pragma once
#include <cstdint>
#include <string>
#include <string_view>

constexpr int kClientGameId = 1306;
constexpr int kUninstallerGameId = 174;

// The values of one statistics report. Texts are narrow, in the system code page.
struct ReportFields {
  int gameId = 0;
  std::uint64_t time = 0;
  std::string uuid;
  int agentId = 0;
  int siteId = 0;
  std::string userName;
};

// Bodies keep the server's fixed key order; text values are form-encoded so
// that a name holding "&" or "=" cannot split the form.
[[nodiscard]] std::string BuildInstallBody(const ReportFields& fields);
[[nodiscard]] std::string BuildCloseBody(const ReportFields& fields);
[[nodiscard]] std::string BuildUninstallBody(const ReportFields& fields);

// Percent-encodes what form decoding would alter ("%", "&", "=", "+", space,
// control bytes, bytes from 0x80); other printable ASCII stays as it is.
[[nodiscard]] std::string EncodeFormValue(std::string_view value);
