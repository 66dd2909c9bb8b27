#include "LoopbackHttpServer.h"

#include <ws2tcpip.h>

#include <cctype>
#include <cstdlib>

LoopbackHttpServer::LoopbackHttpServer(unsigned short port) {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener_ == INVALID_SOCKET) return;
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  int length = sizeof address;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 8) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    closesocket(listener_);
    listener_ = INVALID_SOCKET;
    return;
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
  if (listener_ != INVALID_SOCKET) {
    closesocket(listener_);
    listener_ = INVALID_SOCKET;
  }
  if (thread_.joinable()) thread_.join();
  WSACleanup();
}

std::string LoopbackHttpServer::BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }

std::vector<LoopbackHttpServer::Request> LoopbackHttpServer::Requests() const {
  std::lock_guard<std::mutex> hold(lock_);
  return requests_;
}

void LoopbackHttpServer::Serve() {
  const SOCKET listener = listener_;
  for (;;) {
    SOCKET client = accept(listener, nullptr, nullptr);
    if (client == INVALID_SOCKET) return;  // closed by the destructor
    Answer(client);
    closesocket(client);
  }
}

void LoopbackHttpServer::Answer(SOCKET client) {
  DWORD timeoutMs = 3000;
  setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof timeoutMs);
  std::string received;
  char chunk[1024];
  std::size_t headerEnd = std::string::npos;
  std::size_t wanted = 0;
  for (;;) {
    if (headerEnd != std::string::npos && received.size() >= headerEnd + 4 + wanted) break;
    const int n = recv(client, chunk, sizeof chunk, 0);
    if (n <= 0) return;
    received.append(chunk, static_cast<std::size_t>(n));
    if (headerEnd == std::string::npos && (headerEnd = received.find("\r\n\r\n")) != std::string::npos) {
      std::string headers = received.substr(0, headerEnd);
      for (auto& c : headers) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      const auto at = headers.find("content-length:");
      if (at != std::string::npos) wanted = std::strtoul(headers.c_str() + at + 15, nullptr, 10);
    }
  }
  Request request;
  const auto lineEnd = received.find("\r\n");
  const std::string line = received.substr(0, lineEnd);
  const auto space1 = line.find(' ');
  const auto space2 = line.find(' ', space1 + 1);
  request.method = line.substr(0, space1);
  request.target = line.substr(space1 + 1, space2 - space1 - 1);
  request.body = received.substr(headerEnd + 4, wanted);
  {
    std::lock_guard<std::mutex> hold(lock_);
    requests_.push_back(request);
  }
  const char answer[] = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
  send(client, answer, sizeof answer - 1, 0);
}

std::map<std::string, std::string> DecodeForm(const std::string& body) {
  auto decode = [](const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '+') {
        out += ' ';
      } else if (text[i] == '%' && i + 2 < text.size()) {
        out += static_cast<char>(std::strtoul(text.substr(i + 1, 2).c_str(), nullptr, 16));
        i += 2;
      } else {
        out += text[i];
      }
    }
    return out;
  };
  std::map<std::string, std::string> fields;
  std::size_t start = 0;
  while (start <= body.size()) {
    auto end = body.find('&', start);
    if (end == std::string::npos) end = body.size();
    const std::string pair = body.substr(start, end - start);
    const auto eq = pair.find('=');
    if (!pair.empty()) fields[decode(pair.substr(0, eq))] = eq == std::string::npos ? "" : decode(pair.substr(eq + 1));
    start = end + 1;
  }
  return fields;
}
