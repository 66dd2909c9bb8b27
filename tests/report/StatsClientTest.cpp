#include "StatsClient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "DeviceIdentity.h"
#include "ReportBody.h"
#include "StatsServer.h"

namespace {

using testsupport::StatsRequest;
using testsupport::StatsServer;

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One server on the port the build was configured with, shared by the suite.
class PostReportTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new StatsServer;
    StatsServer::Options options;
    options.port = testsupport::ConfiguredStatsPort();
    if (!server_->Start(options)) {
      delete server_;
      server_ = nullptr;
    }
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(server_, nullptr) << "statistics server did not start on port "
                                << testsupport::ConfiguredStatsPort();
    before_ = server_->Requests().size();
  }
  [[nodiscard]] std::vector<StatsRequest> NewRequests() const {
    std::vector<StatsRequest> all = server_->Requests();
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(before_, all.size())), all.end()};
  }

  static StatsServer* server_;
  std::size_t before_ = 0;
};
StatsServer* PostReportTest::server_ = nullptr;

TEST_F(PostReportTest, SendsOneFormPostWithTheBodyExactly) {
  ReportFields fields{kClientGameId, GetUnixTime(), GetDeviceId(), 12, 34,
                      "a&b=c d+e%f\xD5\xC5"};
  const std::string body = BuildCloseBody(fields);
  std::string answer = "stale";
  const std::uint64_t sentAfter = GetUnixTime();
  EXPECT_EQ(PostReport(body, VD_STATS_URL, &answer), 3);
  const std::uint64_t sentBefore = GetUnixTime();
  EXPECT_EQ(answer, "ok\n");

  std::vector<StatsRequest> requests = NewRequests();
  ASSERT_EQ(requests.size(), 1u);
  const StatsRequest& r = requests[0];
  EXPECT_EQ(r.requestLine, "POST / HTTP/1.1");
  EXPECT_EQ(r.Header("Content-Type"), std::vector<std::string>{"application/x-www-form-urlencoded"});
  EXPECT_EQ(r.Header("Accept"), std::vector<std::string>{"*/*"});
  EXPECT_EQ(r.Header("User-Agent"), std::vector<std::string>{"PostData"});
  EXPECT_EQ(r.body, body);

  const std::pair<const char*, std::string> expected[] = {
      {"game_id", "1306"},  {"action", "close"},     {"uuid", fields.uuid},
      {"agent_id", "12"},   {"site_id", "34"},       {"user_name", fields.userName},
  };
  for (const auto& [key, value] : expected) {
    const std::string* got = r.Field(key);
    ASSERT_NE(got, nullptr) << key;
    EXPECT_EQ(*got, value) << key;
  }
  // The time we send agrees with the host's own clock.
  EXPECT_LE(static_cast<double>(sentAfter), r.time + 1.0);
  EXPECT_GE(static_cast<double>(sentBefore) + 1.0, r.time);
}

TEST_F(PostReportTest, EachCallIsOneRequestAndTheDefaultUrlIsTheConfiguredServer) {
  const std::string install = BuildInstallBody({kClientGameId, 1, "", 0, 0, ""});
  const std::string close = BuildCloseBody({kClientGameId, 2, "", 0, 0, ""});
  EXPECT_EQ(PostReport(install), 3);
  EXPECT_EQ(PostReport(close), 3);
  std::vector<StatsRequest> requests = NewRequests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].body, "game_id=1306&action=install&install_time=1&uuid=&agent_id=0&site_id=0");
  EXPECT_EQ(requests[1].body, close);
}

TEST_F(PostReportTest, ABodyLongerThanTheOldBufferIsSentWhole) {
  ReportFields fields{kUninstallerGameId, 7, std::string(300, 'A'), 0, 0, std::string(400, '\xB0')};
  const std::string body = BuildUninstallBody(fields);
  ASSERT_GT(body.size(), 1500u);
  EXPECT_EQ(PostReport(body), 3);
  std::vector<StatsRequest> requests = NewRequests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].body, body);
  ASSERT_NE(requests[0].Field("user_name"), nullptr);
  EXPECT_EQ(*requests[0].Field("user_name"), fields.userName);
}

TEST(PostReportAnswer, ASingleReadTakesAtMost512Bytes) {
  const int sizes[] = {0, 512, 4096};
  for (int size : sizes) {
    SCOPED_TRACE(size);
    StatsServer server;
    StatsServer::Options options;
    options.replySize = size;
    ASSERT_TRUE(server.Start(options));
    std::string answer;
    const int read = PostReport("game_id=1", server.BaseUrl().c_str(), &answer);
    EXPECT_EQ(read, std::min(size, 512));
    EXPECT_EQ(answer.size(), static_cast<std::size_t>(read));
    if (size > 0) {
      EXPECT_EQ(answer.substr(0, 3), "ok\n");
    }
    EXPECT_EQ(server.Requests().size(), 1u);
  }
}

TEST(PostReportFailure, NothingToReachReturnsZeroAtOnce) {
  const std::string closed = "http://127.0.0.1:" + std::to_string(testsupport::ClosedLoopbackPort());
  const char* urls[] = {closed.c_str(), "", "not a url"};
  for (const char* url : urls) {
    SCOPED_TRACE(url);
    std::string answer = "stale";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(PostReport("game_id=1", url, &answer), 0);
    const double seconds = SecondsSince(start);
    EXPECT_LT(seconds, 1.0);
    EXPECT_EQ(answer, "");
    std::printf("PostReport to '%s': 0 after %.3f s\n", url, seconds);
  }
}

TEST(PostReportFailure, AServerThatNeverAnswersCostsLessThanFiveSeconds) {
  StatsServer server;
  StatsServer::Options options;
  options.silent = true;
  ASSERT_TRUE(server.Start(options));
  std::string answer = "stale";
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(PostReport("game_id=1", server.BaseUrl().c_str(), &answer), 0);
  const double seconds = SecondsSince(start);
  EXPECT_LT(seconds, 5.0);
  EXPECT_EQ(answer, "");
  std::printf("PostReport to a silent server: 0 after %.3f s\n", seconds);
  testing::Test::RecordProperty("silent_server_seconds", std::to_string(seconds));
}

}  // namespace
