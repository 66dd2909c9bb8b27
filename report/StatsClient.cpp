#include "StatsClient.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <initializer_list>

#include "InternetHandle.h"

namespace {

constexpr char kContentType[] = "Content-Type: application/x-www-form-urlencoded";
constexpr char kAccept[] = "Accept: */*";
constexpr DWORD kResponseLimit = 512;
constexpr DWORD kTimeoutMs = 3000;

struct ServerAddress {
  char host[64] = {};
  INTERNET_PORT port = 0;
  std::string path;
};

[[nodiscard]] bool CrackBaseUrl(const char* url, ServerAddress* address) {
  URL_COMPONENTSA parts = {};
  parts.dwStructSize = sizeof(parts);
  parts.lpszHostName = address->host;
  parts.dwHostNameLength = sizeof(address->host);
  parts.dwUrlPathLength = 256;  // with a null pointer: point into url
  if (!InternetCrackUrlA(url, 0, 0, &parts)) return false;
  address->host[std::min<DWORD>(parts.dwHostNameLength, sizeof(address->host) - 1)] = '\0';
  address->port = parts.nPort;
  if (parts.lpszUrlPath) address->path.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
  return true;
}

// Wine honours these only on the request handle; Windows also reads them there.
void BoundWaiting(HINTERNET request) {
  DWORD timeout = kTimeoutMs;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    InternetSetOptionA(request, option, &timeout, sizeof(timeout));
  }
}

}  // namespace

int PostReport(const std::string& body, const char* baseUrl, std::string* response) {
  if (response) response->clear();
  if (body.size() > MAXDWORD) return 0;

  UniqueInternetHandle internet(
      InternetOpenA("PostData", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!internet) return 0;
  DWORD timeout = kTimeoutMs;
  InternetSetOptionA(internet.Get(), INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof(timeout));

  ServerAddress address;
  if (!CrackBaseUrl(baseUrl, &address)) return 0;

  UniqueInternetHandle connection(InternetConnectA(internet.Get(), address.host, address.port,
                                                   nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 1));
  if (!connection) return 0;

  UniqueInternetHandle request(HttpOpenRequestA(connection.Get(), "POST", address.path.c_str(),
                                                nullptr, nullptr, nullptr, 0, 1));
  if (!request) return 0;
  BoundWaiting(request.Get());

  constexpr DWORD kReplace = HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE;
  HttpAddRequestHeadersA(request.Get(), kContentType, static_cast<DWORD>(-1), kReplace);
  HttpAddRequestHeadersA(request.Get(), kAccept, static_cast<DWORD>(-1), kReplace);

  // WinINet takes the optional data through a non-const pointer but only reads it.
  if (!HttpSendRequestA(request.Get(), kContentType, sizeof(kContentType) - 1,
                        const_cast<char*>(body.data()), static_cast<DWORD>(body.size()))) {
    return 0;
  }

  char answer[kResponseLimit];
  DWORD read = 0;
  if (!InternetReadFile(request.Get(), answer, kResponseLimit, &read)) read = 0;
  if (response) response->assign(answer, read);
  // The handles close in reverse order of declaration: request, connection, Internet handle.
  return static_cast<int>(read);
}
