#pragma once
// Starts the loopback statistics server (demo/stats_server.py) on the host
// from a Windows test and reads what it recorded. Wine starts a Unix program
// named by its Z: path with CreateProcessW but gives no process handle back,
// so the server is stopped by its quit request and, should a test die, by
// its own lifetime limit.
#include <winsock2.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "LoopbackSocket.h"
#include "MiniJson.h"
#include "vd_config.h"

namespace testsupport {

// One request as the server recorded it. Bodies and form values are raw bytes.
struct StatsRequest {
  double time = 0;  // host clock, UTC seconds
  std::string requestLine;
  std::string method;
  std::string path;
  std::string body;
  std::vector<std::pair<std::string, std::string>> headers;
  std::vector<std::pair<std::string, std::string>> form;

  // Every value of the header, in order (names compare case-insensitively).
  [[nodiscard]] std::vector<std::string> Header(std::string_view name) const {
    std::vector<std::string> values;
    for (const auto& [key, value] : headers) {
      if (key.size() == name.size() &&
          CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, key.data(), static_cast<int>(key.size()),
                         name.data(), static_cast<int>(name.size())) == CSTR_EQUAL) {
        values.push_back(value);
      }
    }
    return values;
  }
  // The first value of a form field, or nothing.
  [[nodiscard]] const std::string* Field(std::string_view key) const {
    for (const auto& [k, v] : form) {
      if (k == key) return &v;
    }
    return nullptr;
  }
};

inline std::string EnvText(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value && *value ? value : fallback;
}

// A Wine path on drive Z: as the host sees it.
inline std::string HostPath(std::string path) {
  if (path.size() >= 2 && (path[0] == 'Z' || path[0] == 'z') && path[1] == ':') path.erase(0, 2);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

inline std::string WinePath(const std::string& hostPath) {
  std::string path = "Z:" + hostPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

// The port of the statistics URL this build was configured with.
inline int ConfiguredStatsPort() {
  std::string_view url = VD_STATS_URL;
  std::size_t colon = url.rfind(':');
  if (colon == std::string_view::npos || colon < 6) return 80;
  return std::atoi(std::string(url.substr(colon + 1)).c_str());
}

struct StatsServerOptions {
  int port = 0;            // 0: a free port
  int replySize = -1;      // bytes of the answer's body; -1: the server's default "ok\n"
  bool silent = false;     // accept and never answer
  int lifetimeSeconds = 120;
};

class StatsServer {
 public:
  using Options = StatsServerOptions;

  StatsServer() = default;
  ~StatsServer() { Stop(); }
  StatsServer(const StatsServer&) = delete;
  StatsServer& operator=(const StatsServer&) = delete;

  // Returns once the server listens, false when it did not come up within 15 s.
  [[nodiscard]] bool Start(const Options& options = {}) {
    static int serial = 0;
    const std::string dir = HostPath(EnvText("VD_TEST_OUTPUT", "Z:/tmp"));
    const std::string stem = dir + "/stats_server_" + std::to_string(GetCurrentProcessId()) + "_" +
                             std::to_string(++serial);
    logHost_ = stem + ".log";
    const std::string ready = stem + ".ready";
    std::error_code ignored;
    std::filesystem::remove(WinePath(logHost_), ignored);
    std::filesystem::remove(WinePath(ready), ignored);

    const std::string python = EnvText("VD_HOST_PYTHON", "/usr/bin/python3");
    const std::string script = HostPath(EnvText("VD_SOURCE_DIR", "")) + "/demo/stats_server.py";
    std::string command = Quote(python) + " " + Quote(script) + " --port " + std::to_string(options.port) +
                          " --log " + Quote(logHost_) + " --ready-file " + Quote(ready) +
                          " --lifetime " + std::to_string(options.lifetimeSeconds);
    if (options.replySize >= 0) command += " --reply-size " + std::to_string(options.replySize);
    if (options.silent) command += " --silent";

    std::wstring app = Wide(WinePath(python));
    std::wstring line = Wide(command);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(app.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      return false;
    }
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);

    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (std::chrono::steady_clock::now() < end) {
      std::ifstream in(std::filesystem::path(WinePath(ready)));
      if (in >> port_ && port_ > 0) {
        in.close();
        std::filesystem::remove(WinePath(ready), ignored);
        return true;
      }
      port_ = 0;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  // Asks the server to end and waits until its port refuses connections.
  void Stop() {
    if (port_ == 0) return;
    WinsockSession winsock;
    {
      LoopbackSocket s;
      if (s.Connect(port_)) {
        const char quit[] = "GET /__quit HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
        send(s.Get(), quit, static_cast<int>(sizeof(quit) - 1), 0);
        DWORD timeoutMs = 2000;
        setsockopt(s.Get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof(timeoutMs));
        char buf[256];
        while (recv(s.Get(), buf, sizeof(buf), 0) > 0) {
        }
      }
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < end) {
      LoopbackSocket probe;
      if (!probe.Connect(port_)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    port_ = 0;
  }

  [[nodiscard]] int Port() const { return port_; }
  [[nodiscard]] std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }
  // The log file as the host names it (for messages and for other tools).
  [[nodiscard]] const std::string& LogPath() const { return logHost_; }

  // Everything recorded so far, oldest first.
  [[nodiscard]] std::vector<StatsRequest> Requests() const {
    std::vector<StatsRequest> requests;
    std::ifstream in(std::filesystem::path(WinePath(logHost_)), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
      std::optional<JsonValue> doc = JsonReader(line).ReadDocument();
      if (!doc) continue;
      StatsRequest r;
      if (const JsonValue* v = doc->Find("time")) r.time = v->number;
      r.requestLine = Text(*doc, "request_line");
      r.method = Text(*doc, "method");
      r.path = Text(*doc, "path");
      r.body = Text(*doc, "body");
      r.headers = Pairs(*doc, "headers");
      r.form = Pairs(*doc, "form");
      requests.push_back(std::move(r));
    }
    return requests;
  }

 private:
  static std::string Quote(const std::string& s) { return "\"" + s + "\""; }
  static std::wstring Wide(const std::string& s) {
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
  }
  static std::string Text(const JsonValue& doc, std::string_view key) {
    const JsonValue* v = doc.Find(key);
    return v ? v->text : std::string();
  }
  static std::vector<std::pair<std::string, std::string>> Pairs(const JsonValue& doc, std::string_view key) {
    std::vector<std::pair<std::string, std::string>> pairs;
    if (const JsonValue* list = doc.Find(key)) {
      for (const JsonValue& pair : list->items) {
        if (pair.items.size() == 2) pairs.emplace_back(pair.items[0].text, pair.items[1].text);
      }
    }
    return pairs;
  }

  int port_ = 0;
  std::string logHost_;
};

}  // namespace testsupport
