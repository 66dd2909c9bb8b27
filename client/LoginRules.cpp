#include "LoginRules.h"

#include "ProfileValues.h"

bool IsLoginUrl(std::wstring_view url, std::wstring_view gateHost) {
  if (url.find(kGameLoginMarker) != std::wstring_view::npos) return true;
  return !gateHost.empty() && url.find(gateHost) != std::wstring_view::npos;
}

bool IsUserPageUrl(std::wstring_view url) {
  return url.find(kUserPageMarker) != std::wstring_view::npos;
}

bool ExtractServerId(std::wstring_view url, std::wstring* serverId) {
  const std::size_t at = url.find(kServerIdMarker);
  if (at == std::wstring_view::npos) return false;
  std::wstring_view rest = url.substr(at + std::wstring_view(kServerIdMarker).size());
  rest = rest.substr(0, rest.find(L'&'));
  *serverId = TruncateAtCharacter(rest, kLearnedFieldCapacity);
  return true;
}
