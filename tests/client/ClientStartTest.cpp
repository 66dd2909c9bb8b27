#include <winsock2.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "ClientProcess.h"
#include "StandinSupport.h"
#include "StatsServer.h"
#include "WinTestSupport.h"
#include "vd_config.h"

namespace {

constexpr int kStartMs = 20000;

std::wstring ReadIni(const std::wstring& folder, const wchar_t* section, const wchar_t* key) {
  wchar_t value[256] = {};
  GetPrivateProfileStringW(section, key, L"<missing>", value, 256,
                           (folder + L"\\Config.ini").c_str());
  return value;
}

void WriteIni(const std::wstring& folder, const wchar_t* section, const wchar_t* key,
              const wchar_t* value) {
  WritePrivateProfileStringW(section, key, value, (folder + L"\\Config.ini").c_str());
}

// The query of the landing page the client sent its browser to.
std::string LandingQuery(const std::string& url) {
  const std::string prefix = std::string(VD_GAME_SITE) + "/wd/index.html?";
  if (url.rfind(prefix, 0) != 0) return "<not the landing page: " + url + ">";
  return url.substr(prefix.size());
}

std::string QueryMac(const std::string& adapterText) {
  return std::regex_replace(adapterText, std::regex("#"), "%23");
}

std::vector<testsupport::StatsRequest> WithAction(const std::vector<testsupport::StatsRequest>& all,
                                                  const std::string& action) {
  std::vector<testsupport::StatsRequest> found;
  for (const auto& r : all) {
    if (r.Field("action") && *r.Field("action") == action) found.push_back(r);
  }
  return found;
}

std::string FieldOf(const testsupport::StatsRequest& r, const char* key) {
  const std::string* v = r.Field(key);
  return v ? *v : "<missing>";
}

class ClientStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::StatsServer::Options options;
    options.port = testsupport::ConfiguredStatsPort();
    ASSERT_TRUE(stats_.Start(options)) << "statistics server on port " << options.port;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info->name();
    standin_ = std::make_unique<testsupport::StandinSession>(std::wstring(name.begin(), name.end()));
  }

  // Starts the client in folder, waits until it has sent its browser to the
  // landing page and returns that page's query.
  std::string StartAndLand(ClientProcess& client, const std::wstring& folder) {
    std::size_t before = standin_->Navigations().size();
    if (!client.Start(ClientExeIn(folder), folder)) return "<not started>";
    if (!client.WaitForFrame(kStartMs)) return "<no frame window>";
    if (!testsupport::PumpUntil([&] { return standin_->Navigations().size() > before; }, kStartMs)) {
      return "<no navigation>";
    }
    return LandingQuery(standin_->Navigations()[before]);
  }

  void RunOnce(const std::wstring& folder, std::string* query) {
    ClientProcess client;
    *query = StartAndLand(client, folder);
    ASSERT_TRUE(client.CloseAndWait(kStartMs));
    EXPECT_EQ(client.ExitCode(), 0u);
  }

  testsupport::StatsServer stats_;
  std::unique_ptr<testsupport::StandinSession> standin_;
};

TEST_F(ClientStartTest, FirstAndSecondStartCountRunsAndReportTheInstallOnce) {
  const std::wstring folder = PrepareClientFolder(L"first_and_second");
  const std::uint64_t startedAt = static_cast<std::uint64_t>(std::time(nullptr));

  std::string firstQuery;
  ASSERT_NO_FATAL_FAILURE(RunOnce(folder, &firstQuery));
  EXPECT_EQ(ReadIni(folder, L"GameInfo", L"Version"), L"1.16");
  EXPECT_EQ(ReadIni(folder, L"Common", L"RunCount"), L"1");
  // Closed before any login: no exit keys, and the empty name is stored.
  EXPECT_EQ(ReadIni(folder, L"Extension", L"out_time"), L"<missing>");
  EXPECT_EQ(ReadIni(folder, L"Extension", L"Counts"), L"<missing>");
  EXPECT_EQ(ReadIni(folder, L"Common", L"user_name"), L"");

  auto requests = stats_.Requests();
  auto installs = WithAction(requests, "install");
  auto closes = WithAction(requests, "close");
  ASSERT_EQ(installs.size(), 1u);
  ASSERT_EQ(closes.size(), 1u);
  const auto& install = installs[0];
  EXPECT_EQ(install.requestLine, "POST / HTTP/1.1");
  EXPECT_EQ(FieldOf(install, "game_id"), "1306");
  EXPECT_EQ(FieldOf(install, "agent_id"), "0");
  EXPECT_EQ(FieldOf(install, "site_id"), "0");
  std::uint64_t installTime = std::strtoull(FieldOf(install, "install_time").c_str(), nullptr, 10);
  EXPECT_GE(installTime + 1, startedAt);
  EXPECT_LE(installTime, static_cast<std::uint64_t>(std::time(nullptr)) + 1);
  const std::string uuid = FieldOf(install, "uuid");
  EXPECT_TRUE(std::regex_match(uuid, std::regex("([0-9A-F]{2}(:[0-9A-F]{2})*(#[0-9A-F]{2}(:[0-9A-F]{2})*)*)?")))
      << uuid;
  EXPECT_EQ(firstQuery, "installtime=&agent_id=0&cplaceid=0&runcount=0&mac=" + QueryMac(uuid) +
                            "&Version=IE:20181105");

  const auto& close = closes[0];
  EXPECT_EQ(FieldOf(close, "game_id"), "1306");
  EXPECT_EQ(FieldOf(close, "uuid"), uuid);
  EXPECT_EQ(FieldOf(close, "user_name"), "");
  EXPECT_EQ(close.body.substr(close.body.size() - 11), "&user_name=");

  std::string secondQuery;
  ASSERT_NO_FATAL_FAILURE(RunOnce(folder, &secondQuery));
  EXPECT_EQ(ReadIni(folder, L"Common", L"RunCount"), L"2");
  EXPECT_NE(secondQuery.find("&runcount=1&"), std::string::npos) << secondQuery;
  requests = stats_.Requests();
  EXPECT_EQ(WithAction(requests, "install").size(), 1u);
  EXPECT_EQ(WithAction(requests, "close").size(), 2u);
}

TEST_F(ClientStartTest, RunCountZeroWrittenByHandReportsTheInstallAgain) {
  const std::wstring folder = PrepareClientFolder(L"run_count_zero");
  WriteIni(folder, L"Common", L"RunCount", L"0");
  WriteIni(folder, L"Common", L"UID", L"12");
  WriteIni(folder, L"Common", L"ADV", L"34x");
  WriteIni(folder, L"Install", L"InstallTime", L"2018-11-05 10:00");

  std::string query;
  ASSERT_NO_FATAL_FAILURE(RunOnce(folder, &query));
  EXPECT_EQ(ReadIni(folder, L"Common", L"RunCount"), L"1");
  auto installs = WithAction(stats_.Requests(), "install");
  ASSERT_EQ(installs.size(), 1u);
  EXPECT_EQ(FieldOf(installs[0], "agent_id"), "12");
  EXPECT_EQ(FieldOf(installs[0], "site_id"), "34");
  EXPECT_EQ(query.substr(0, query.find("&mac=")),
            "installtime=2018-11-05%2010:00&agent_id=12&cplaceid=34&runcount=0");
}

TEST_F(ClientStartTest, TwoClientsBothRunAndOnlyTheFirstHoldsTheMutex) {
  const std::wstring folder = PrepareClientFolder(L"two_clients");
  ClientProcess first;
  ClientProcess second;
  std::string firstQuery = StartAndLand(first, folder);
  std::string secondQuery = StartAndLand(second, folder);
  EXPECT_NE(firstQuery.find("&runcount=0&"), std::string::npos) << firstQuery;
  EXPECT_NE(secondQuery.find("&runcount=1&"), std::string::npos) << secondQuery;

  ASSERT_TRUE(first.CloseAndWait(kStartMs));
  // The second client closed its handle at once: with the first gone, the
  // mutex is gone although the second still runs.
  ASSERT_EQ(WaitForSingleObject(OpenProcess(SYNCHRONIZE, FALSE, second.ProcessId()), 0),
            static_cast<DWORD>(WAIT_TIMEOUT));
  HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"vd");
  EXPECT_EQ(mutex, nullptr);
  if (mutex) CloseHandle(mutex);
  ASSERT_TRUE(second.CloseAndWait(kStartMs));

  EXPECT_EQ(ReadIni(folder, L"Common", L"RunCount"), L"2");
  auto requests = stats_.Requests();
  EXPECT_EQ(WithAction(requests, "install").size(), 1u);
  EXPECT_EQ(WithAction(requests, "close").size(), 2u);
}

TEST_F(ClientStartTest, TheRunningClientHoldsTheMutex) {
  const std::wstring folder = PrepareClientFolder(L"mutex");
  ClientProcess client;
  std::string query = StartAndLand(client, folder);
  HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"vd");
  EXPECT_NE(mutex, nullptr);
  if (mutex) CloseHandle(mutex);
  ASSERT_TRUE(client.CloseAndWait(kStartMs));
}

}  // namespace
