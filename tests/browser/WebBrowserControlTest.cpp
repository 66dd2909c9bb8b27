#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LoopbackListener.h"
#include "WebBrowser.h"
#include "WinTestSupport.h"

namespace {

class WebBrowserControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 500, 400, nullptr,
                              nullptr, nullptr, nullptr);
    host_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 320, 240, parent_,
                            nullptr, nullptr, nullptr);
    ASSERT_TRUE(host_);
  }
  void TearDown() override {
    site_.ReleaseControl();
    DestroyWindow(parent_);
  }

  HWND parent_ = nullptr;
  HWND host_ = nullptr;
  CWebBrowser site_;
};

TEST_F(WebBrowserControlTest, Probe) {
  ASSERT_TRUE(site_.CreateBrowser(host_));
  EXPECT_FALSE(site_.CreateBrowser(host_));
  std::vector<std::wstring> before;
  site_.onBeforeNavigate = [&](IDispatch*, const wchar_t* url, VARIANT_BOOL*&) { before.push_back(url); };
  LoopbackListener listener;
  ASSERT_TRUE(listener.Listening());
  std::wstring url = listener.Url(L"/landing?a=1");
  EXPECT_EQ(site_.Navigate(url.c_str(), 2), 1);
  EXPECT_TRUE(testsupport::PumpUntil([&] { return !listener.RequestLines().empty(); }, 5000));
  for (auto& l : listener.RequestLines()) printf("request: %s\n", l.c_str());
  for (auto& b : before) printf("before: %ls\n", b.c_str());
  HWND bw = site_.GetBrowserWindow();
  wchar_t cls[64] = {};
  GetClassNameW(bw, cls, 64);
  printf("browser window %p class %ls parent %p host %p\n", (void*)bw, cls, (void*)GetParent(bw), (void*)host_);
}

}  // namespace
