#pragma once
#include <winsock2.h>

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A statistics server on 127.0.0.1 for the tests: records every request and
// answers 200.
class LoopbackHttpServer {
 public:
  struct Request {
    std::string method;
    std::string target;
    std::string body;
  };

  // port 0: any free port.
  explicit LoopbackHttpServer(unsigned short port = 0);
  ~LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  [[nodiscard]] bool Listening() const { return listener_ != INVALID_SOCKET; }
  [[nodiscard]] std::string BaseUrl() const;
  [[nodiscard]] std::vector<Request> Requests() const;

 private:
  void Serve();
  void Answer(SOCKET client);

  SOCKET listener_ = INVALID_SOCKET;
  unsigned short port_ = 0;
  mutable std::mutex lock_;
  std::vector<Request> requests_;
  std::thread thread_;
};

// application/x-www-form-urlencoded decoding.
[[nodiscard]] std::map<std::string, std::string> DecodeForm(const std::string& body);
