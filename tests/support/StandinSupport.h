#pragma once
// Points the browser stand-in (registered for the WebBrowser class by the
// "browser_standin" ctest fixture) at a script and a call log for one test.
// Programs started by the test inherit both.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "WinTestSupport.h"

namespace testsupport {

class StandinSession {
 public:
  explicit StandinSession(const std::wstring& name, const std::string& script = std::string()) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(TestOutputDir()) / L"standin";
    std::error_code ignored;
    fs::create_directories(dir, ignored);
    logPath_ = (dir / (name + L".log")).wstring();
    scriptPath_ = (dir / (name + L".script")).wstring();
    fs::remove(logPath_, ignored);
    SetEnvironmentVariableW(L"VD_STANDIN_LOG", logPath_.c_str());
    if (script.empty()) {
      SetEnvironmentVariableW(L"VD_STANDIN_SCRIPT", nullptr);
    } else {
      std::ofstream(fs::path(scriptPath_), std::ios::binary) << script;
      SetEnvironmentVariableW(L"VD_STANDIN_SCRIPT", scriptPath_.c_str());
    }
  }
  ~StandinSession() {
    SetEnvironmentVariableW(L"VD_STANDIN_LOG", nullptr);
    SetEnvironmentVariableW(L"VD_STANDIN_SCRIPT", nullptr);
  }
  StandinSession(const StandinSession&) = delete;
  StandinSession& operator=(const StandinSession&) = delete;

  // The calls the stand-in received so far, one per line (UTF-8).
  [[nodiscard]] std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::ifstream in{std::filesystem::path(logPath_), std::ios::binary};
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
  }
  // The lines that start with prefix, in order.
  [[nodiscard]] std::vector<std::string> LinesStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& line : Lines()) {
      if (line.rfind(prefix, 0) == 0) found.push_back(line);
    }
    return found;
  }
  // The URLs the host navigated the stand-in to with Navigate2, in order.
  [[nodiscard]] std::vector<std::string> Navigations() const {
    std::vector<std::string> urls;
    const std::string prefix = "IWebBrowser2::Navigate2 \"";
    for (const std::string& line : LinesStartingWith(prefix)) {
      std::size_t end = line.rfind("\" flags=");
      urls.push_back(line.substr(prefix.size(), end == std::string::npos ? std::string::npos
                                                                         : end - prefix.size()));
    }
    return urls;
  }

 private:
  std::wstring logPath_;
  std::wstring scriptPath_;
};

}  // namespace testsupport
