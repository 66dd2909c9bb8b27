#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A one-thread HTTP listener on 127.0.0.1 (at a free port unless one is
// given): records each request line and answers every request with the same page.
class LoopbackListener {
 public:
  explicit LoopbackListener(int port = 0, std::string page = "<html><body>ok</body></html>");
  ~LoopbackListener();
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  [[nodiscard]] bool Listening() const { return listener_ != INVALID_SOCKET; }
  [[nodiscard]] int Port() const { return port_; }
  [[nodiscard]] std::wstring Url(const std::wstring& path) const;
  [[nodiscard]] std::vector<std::string> RequestLines() const;

 private:
  void Serve();

  std::string page_;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex lock_;
  std::vector<std::string> requestLines_;
  std::thread thread_;
};
