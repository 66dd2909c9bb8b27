#include "LoopbackListener.h"

#include <ws2tcpip.h>

LoopbackListener::LoopbackListener(int port, std::string page) : page_(std::move(page)) {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener_ == INVALID_SOCKET) return;
  if (port != 0) {
    // A port just used by an earlier test may still be in TIME_WAIT.
    BOOL reuse = TRUE;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse),
               sizeof(reuse));
  }
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<u_short>(port));
  int length = sizeof(address);
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
      listen(listener_, 8) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    closesocket(listener_);
    listener_ = INVALID_SOCKET;
    return;
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

LoopbackListener::~LoopbackListener() {
  stopping_ = true;
  if (listener_ != INVALID_SOCKET) closesocket(listener_);
  if (thread_.joinable()) thread_.join();
  WSACleanup();
}

std::wstring LoopbackListener::Url(const std::wstring& path) const {
  return L"http://127.0.0.1:" + std::to_wstring(port_) + path;
}

std::vector<std::string> LoopbackListener::RequestLines() const {
  std::lock_guard<std::mutex> guard(lock_);
  return requestLines_;
}

void LoopbackListener::Serve() {
  while (!stopping_) {
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) return;
    DWORD timeoutMs = 2000;
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs),
               sizeof(timeoutMs));
    std::string head;
    char buffer[1024];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
      int n = recv(client, buffer, sizeof(buffer), 0);
      if (n <= 0) break;
      head.append(buffer, static_cast<std::size_t>(n));
    }
    if (!head.empty()) {
      std::lock_guard<std::mutex> guard(lock_);
      requestLines_.push_back(head.substr(0, head.find("\r\n")));
    }
    std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n"
                        "Content-Length: " + std::to_string(page_.size()) + "\r\n\r\n" + page_;
    send(client, reply.data(), static_cast<int>(reply.size()), 0);
    shutdown(client, SD_SEND);
    closesocket(client);
  }
}
