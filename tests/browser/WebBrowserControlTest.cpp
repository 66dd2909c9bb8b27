#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "StandinSupport.h"
#include "WebBrowser.h"
#include "WinTestSupport.h"

namespace {

// Against the WebBrowser class as the test prefix registers it: the stand-in.
class WebBrowserControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info->name();
    standin_ = std::make_unique<testsupport::StandinSession>(std::wstring(name.begin(), name.end()));
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 500, 400, nullptr,
                              nullptr, nullptr, nullptr);
    host_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 320, 240, parent_,
                            nullptr, nullptr, nullptr);
    ASSERT_TRUE(host_);
    ASSERT_TRUE(site_.CreateBrowser(host_));
  }
  void TearDown() override {
    site_.ReleaseControl();
    DestroyWindow(parent_);
  }

  std::unique_ptr<testsupport::StandinSession> standin_;
  HWND parent_ = nullptr;
  HWND host_ = nullptr;
  CWebBrowser site_;
};

TEST_F(WebBrowserControlTest, CreationActivatesOnceAndClosesTheInPlaceInterfaces) {
  EXPECT_TRUE(site_.IsActivated());
  EXPECT_NE(site_.WebBrowser(), nullptr);
  EXPECT_FALSE(site_.CreateBrowser(host_));
  EXPECT_EQ(site_.CanInPlaceActivate(), S_FALSE);
  void* out = nullptr;
  EXPECT_EQ(site_.QueryInterface(IID_IOleInPlaceSite, &out), E_NOINTERFACE);
  EXPECT_EQ(site_.QueryInterface(IID_IOleInPlaceFrame, &out), E_NOINTERFACE);
  EXPECT_EQ(site_.QueryInterface(IID_IDocHostUIHandler, &out), S_OK);
  EXPECT_EQ(site_.QueryInterface(IID_IOleClientSite, &out), S_OK);
}

TEST_F(WebBrowserControlTest, WindowContextAndBorderDescribeTheHost) {
  IOleInPlaceFrame* frame = nullptr;
  IOleInPlaceUIWindow* doc = reinterpret_cast<IOleInPlaceUIWindow*>(1);
  RECT position = {}, clip = {};
  OLEINPLACEFRAMEINFO info = {};
  LONG before = site_.RefCount();
  ASSERT_EQ(site_.GetWindowContext(&frame, &doc, &position, &clip, &info), S_OK);
  EXPECT_EQ(frame, static_cast<IOleInPlaceFrame*>(&site_));
  EXPECT_EQ(site_.RefCount(), before + 1);
  EXPECT_EQ(doc, nullptr);
  const RECT client = {0, 0, 320, 240};
  EXPECT_TRUE(EqualRect(&position, &client));
  EXPECT_TRUE(EqualRect(&clip, &client));
  EXPECT_EQ(info.cb, sizeof(OLEINPLACEFRAMEINFO));  // 20 in the 32-bit program
  EXPECT_FALSE(info.fMDIApp);
  EXPECT_EQ(info.hwndFrame, parent_);
  EXPECT_EQ(info.haccel, nullptr);
  EXPECT_EQ(info.cAccelEntries, 0u);
  RECT border = {};
  EXPECT_EQ(static_cast<IOleInPlaceFrame*>(&site_)->GetBorder(&border), S_OK);
  EXPECT_TRUE(EqualRect(&border, &client));
  HWND window = nullptr;
  EXPECT_EQ(static_cast<IOleInPlaceSite*>(&site_)->GetWindow(&window), S_OK);
  EXPECT_EQ(window, host_);
}

TEST_F(WebBrowserControlTest, NavigateCopiesTheUrlAndRaisesBeforeNavigate2) {
  std::vector<std::wstring> before;
  site_.onBeforeNavigate = [&](IDispatch*, const wchar_t* url, VARIANT_BOOL*&) {
    before.push_back(url);
  };
  const std::wstring url = L"http://127.0.0.1:9/wd/index.html?mac=AA%23BB&Version=IE:20181105";
  EXPECT_EQ(site_.Navigate(nullptr, 2), 0);
  EXPECT_EQ(site_.Navigate(url.c_str(), 2), 1);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return !before.empty(); }));
  EXPECT_EQ(before, std::vector<std::wstring>{url});
  EXPECT_EQ(standin_->LinesStartingWith("IWebBrowser2::Navigate2"),
            std::vector<std::string>{
                "IWebBrowser2::Navigate2 \"http://127.0.0.1:9/wd/index.html?mac=AA%23BB&Version=IE:20181105\" flags=2"});
}

}  // namespace
