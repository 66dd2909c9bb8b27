#include "ReportBody.h"

#include "HexDigits.h"

namespace {

bool NeedsEncoding(unsigned char c) {
  return c < 0x20 || c >= 0x7F || c == '%' || c == '&' || c == '=' || c == '+' || c == ' ';
}

std::string BuildBody(std::string_view action, std::string_view timeKey, const ReportFields& f,
                      bool withUserName) {
  std::string body = "game_id=" + std::to_string(f.gameId);
  body += "&action=";
  body += action;
  body += '&';
  body += timeKey;
  body += '=';
  body += std::to_string(f.time);
  body += "&uuid=" + EncodeFormValue(f.uuid);
  body += "&agent_id=" + std::to_string(f.agentId);
  body += "&site_id=" + std::to_string(f.siteId);
  if (withUserName) body += "&user_name=" + EncodeFormValue(f.userName);
  return body;
}

}  // namespace

std::string EncodeFormValue(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (char ch : value) {
    auto c = static_cast<unsigned char>(ch);
    if (NeedsEncoding(c)) {
      out += '%';
      report_detail::AppendHexByte(out, c);
    } else {
      out += ch;
    }
  }
  return out;
}

std::string BuildInstallBody(const ReportFields& fields) {
  return BuildBody("install", "install_time", fields, false);
}

std::string BuildCloseBody(const ReportFields& fields) {
  return BuildBody("close", "logout_time", fields, true);
}

std::string BuildUninstallBody(const ReportFields& fields) {
  return BuildBody("uninstall", "uninstall_time", fields, true);
}
