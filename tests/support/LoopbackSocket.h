#pragma once
// Plain TCP on 127.0.0.1 for tests: probing ports and finding a closed one.
#include <winsock2.h>
#include <windows.h>

namespace testsupport {

class WinsockSession {
 public:
  WinsockSession() {
    WSADATA data;
    ok_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }
  ~WinsockSession() {
    if (ok_) WSACleanup();
  }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;

 private:
  bool ok_ = false;
};

class LoopbackSocket {
 public:
  LoopbackSocket() : s_(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {}
  ~LoopbackSocket() {
    if (s_ != INVALID_SOCKET) closesocket(s_);
  }
  LoopbackSocket(const LoopbackSocket&) = delete;
  LoopbackSocket& operator=(const LoopbackSocket&) = delete;
  [[nodiscard]] SOCKET Get() const { return s_; }

  static sockaddr_in Address(int port) {
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<u_short>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
  }
  [[nodiscard]] bool Connect(int port) {
    sockaddr_in a = Address(port);
    return s_ != INVALID_SOCKET && connect(s_, reinterpret_cast<sockaddr*>(&a), sizeof(a)) == 0;
  }

 private:
  SOCKET s_;
};

// A loopback port on which nothing listens (bound once by the system's choice, then released).
inline int ClosedLoopbackPort() {
  WinsockSession winsock;
  LoopbackSocket s;
  sockaddr_in a = LoopbackSocket::Address(0);
  if (bind(s.Get(), reinterpret_cast<sockaddr*>(&a), sizeof(a)) != 0) return 0;
  int size = sizeof(a);
  if (getsockname(s.Get(), reinterpret_cast<sockaddr*>(&a), &size) != 0) return 0;
  return ntohs(a.sin_port);
}

}  // namespace testsupport
