#include <gtest/gtest.h>

#include <exdispid.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ComTypes.h"
#include "StandinSupport.h"
#include "WebBrowser.h"
#include "WinTestSupport.h"
#include "WindowSearch.h"

namespace {

const char kScript[] =
    "page http://game/form.html\n"
    "  title Form\n"
    "  body <p>hello</p>\n"
    "  element pwd attr value abcde\n"
    "  element go text Go\n"
    "page http://game/frames.html\n"
    "  frame http://game/left.html\n"
    "  frame http://game/right.html\n"
    "page http://game/flash.html\n"
    "  flash\n"
    "page http://game/broken.html\n"
    "  scripterror 12 5 -2146827850 Object expected\n";

// The site on the test thread, hosting the stand-in, as the browser thread
// does in the client.
class StandinSiteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info->name();
    standin_ = std::make_unique<testsupport::StandinSession>(std::wstring(name.begin(), name.end()),
                                                             kScript);
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 500, 400, nullptr, nullptr,
                              nullptr, nullptr);
    host_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, parent_,
                            nullptr, nullptr, nullptr);
    ASSERT_TRUE(site_.CreateBrowser(host_));
    site_.onDocumentComplete = [this](IDispatch*, const wchar_t* url) {
      documents_.push_back(url);
    };
  }
  void TearDown() override {
    site_.ReleaseControl();
    DestroyWindow(parent_);
  }
  // Navigates and waits for the top document (it completes last).
  void Load(const wchar_t* url) {
    std::size_t before = documents_.size();
    ASSERT_EQ(site_.Navigate(url, 2), 1);
    ASSERT_TRUE(testsupport::PumpUntil([&] {
      return documents_.size() > before && documents_.back() == url;
    }));
  }

  std::unique_ptr<testsupport::StandinSession> standin_;
  HWND parent_ = nullptr;
  HWND host_ = nullptr;
  CWebBrowser site_;
  std::vector<std::wstring> documents_;
};

TEST_F(StandinSiteTest, ElementValueReportsTheSizeItNeedsWhenTheBufferIsSmall) {
  Load(L"http://game/form.html");
  wchar_t buffer[16];
  std::fill(std::begin(buffer), std::end(buffer), L'#');
  int size = 3;
  EXPECT_FALSE(site_.GetElementValue(L"pwd", buffer, &size));
  EXPECT_EQ(size, 6);
  EXPECT_EQ(buffer[0], L'#');
  EXPECT_TRUE(site_.GetElementValue(L"pwd", buffer, &size));
  EXPECT_STREQ(buffer, L"abcde");
  EXPECT_FALSE(site_.GetElementValue(L"pwd", buffer, nullptr));
  EXPECT_FALSE(site_.GetElementValue(L"missing", buffer, &size));

  EXPECT_TRUE(site_.SetElementValue(L"pwd", L"xy"));
  size = 16;
  EXPECT_TRUE(site_.GetElementValue(L"pwd", buffer, &size));
  EXPECT_STREQ(buffer, L"xy");
  EXPECT_EQ(buffer[15], L'\0');  // cleared over the whole size
  EXPECT_FALSE(site_.SetElementValue(L"pwd", nullptr));
  EXPECT_FALSE(site_.SetElementValue(nullptr, L"v"));
}

TEST_F(StandinSiteTest, BodyHtmlThatDoesNotFitLeavesBufferAndSizeAlone) {
  Load(L"http://game/form.html");
  wchar_t buffer[32];
  std::fill(std::begin(buffer), std::end(buffer), L'#');
  int size = 5;
  EXPECT_TRUE(site_.GetBodyHtml(buffer, &size));
  EXPECT_EQ(size, 5);
  EXPECT_EQ(buffer[0], L'#');
  size = 32;
  EXPECT_TRUE(site_.GetBodyHtml(buffer, &size));
  EXPECT_STREQ(buffer, L"<p>hello</p>");
  EXPECT_FALSE(site_.GetBodyHtml(nullptr, &size));
  EXPECT_FALSE(site_.GetBodyHtml(buffer, nullptr));
}

TEST_F(StandinSiteTest, ClickFindsTheElementById) {
  Load(L"http://game/form.html");
  EXPECT_TRUE(site_.ClickElementById(L"go"));
  EXPECT_FALSE(site_.ClickElementById(L"nothing"));
  EXPECT_FALSE(site_.ClickElementById(nullptr));
  EXPECT_EQ(standin_->LinesStartingWith("IHTMLElement::click").size(), 1u);
}

TEST_F(StandinSiteTest, BodyScrollIsTurnedOffBeforeTheDocumentCallback) {
  site_.onDocumentComplete = [this](IDispatch*, const wchar_t* url) {
    // The log holds what the host did up to this moment.
    documents_.push_back(url + std::wstring(standin_->LinesStartingWith(
                                                 "IHTMLBodyElement::put_scroll \"no\"").empty()
                                                 ? L" scrolling"
                                                 : L" no scroll"));
  };
  ASSERT_EQ(site_.Navigate(L"http://game/form.html", 2), 1);
  ASSERT_TRUE(testsupport::PumpUntil([&] { return !documents_.empty(); }));
  EXPECT_EQ(documents_[0], L"http://game/form.html no scroll");
}

TEST_F(StandinSiteTest, EveryFrameAndTheTopDocumentReachTheCallbacks) {
  std::vector<std::wstring> navigations;
  site_.onNavigateComplete = [&](const wchar_t* url) { navigations.push_back(url); };
  Load(L"http://game/frames.html");
  const std::vector<std::wstring> all = {L"http://game/frames.html", L"http://game/left.html",
                                         L"http://game/right.html"};
  for (const auto& url : all) {
    EXPECT_EQ(std::count(navigations.begin(), navigations.end(), url), 1) << url.c_str();
    EXPECT_EQ(std::count(documents_.begin(), documents_.end(), url), 1) << url.c_str();
  }
}

TEST_F(StandinSiteTest, BrowserWindowIsFoundAtNavigateCompleteAndThenCached) {
  std::vector<HWND> told;
  site_.onBrowserWindow = [&](HWND window) { told.push_back(window); };
  Load(L"http://game/form.html");
  ASSERT_EQ(told.size(), 1u);
  HWND window = told[0];
  EXPECT_TRUE(IsWindow(window));
  EXPECT_TRUE(IsChild(host_, window));
  std::size_t queries = standin_->LinesStartingWith("IServiceProvider::QueryService").size();
  EXPECT_EQ(site_.GetBrowserWindow(), window);
  EXPECT_EQ(site_.GetBrowserWindow(), window);
  EXPECT_EQ(standin_->LinesStartingWith("IServiceProvider::QueryService").size(), queries);
  EXPECT_EQ(told.size(), 1u);
}

TEST_F(StandinSiteTest, ScriptErrorsAreReadAndSuppressed) {
  Load(L"http://game/broken.html");
  ASSERT_TRUE(testsupport::PumpUntil(
      [&] { return standin_->LinesStartingWith("IDispatch::Invoke script error").size() >= 5; }));
  testsupport::PumpFor(100);
  std::vector<std::string> names;
  for (const std::string& line : standin_->LinesStartingWith("IDispatch::GetIDsOfNames script error")) {
    names.push_back(line.substr(line.find('"')));
  }
  EXPECT_EQ(names, (std::vector<std::string>{"\"errorLine\"", "\"errorCharacter\"", "\"errorCode\"",
                                             "\"errorMessage\"", "\"errorUrl\""}));
}

class FocusedKey {
 public:
  FocusedKey(HWND window, UINT message, WPARAM key) {
    SetFocus(window);
    msg_.hwnd = window;
    msg_.message = message;
    msg_.wParam = key;
  }
  MSG* Get() { return &msg_; }

 private:
  MSG msg_ = {};
};

TEST_F(StandinSiteTest, TabInTheFlashWindowIsConsumedOtherKeysGoToTheControl) {
  Load(L"http://game/flash.html");
  HWND browser = site_.GetBrowserWindow();
  ASSERT_TRUE(browser);
  HWND flash = FindFlashWindow(browser);
  ASSERT_TRUE(flash);
  const std::size_t translated =
      standin_->LinesStartingWith("IOleInPlaceActiveObject::TranslateAccelerator").size();
  struct Row {
    const char* name;
    HWND focus;
    UINT message;
    WPARAM key;
    HRESULT expected;
    bool offeredToControl;
  } rows[] = {
      {"Tab down in Flash", flash, WM_KEYDOWN, VK_TAB, S_OK, true},
      {"Tab up in Flash", flash, WM_KEYUP, VK_TAB, S_OK, true},
      {"Tab as character in Flash", flash, WM_CHAR, VK_TAB, S_FALSE, true},
      {"Right in Flash", flash, WM_KEYDOWN, VK_RIGHT, S_FALSE, true},
      {"Tab in the page", browser, WM_KEYDOWN, VK_TAB, S_FALSE, true},
      {"Tab outside the browser", parent_, WM_KEYDOWN, VK_TAB, S_FALSE, false},
  };
  std::size_t expectedOffers = translated;
  for (const Row& row : rows) {
    FocusedKey key(row.focus, row.message, row.key);
    EXPECT_EQ(site_.TranslateBrowserKey(key.Get()), row.expected) << row.name;
    if (row.offeredToControl) ++expectedOffers;
    EXPECT_EQ(standin_->LinesStartingWith("IOleInPlaceActiveObject::TranslateAccelerator").size(),
              expectedOffers)
        << row.name;
  }
  FocusedKey key(flash, WM_KEYDOWN, VK_TAB);
  static_cast<void>(site_.TranslateBrowserKey(key.Get()));
  EXPECT_EQ(GetFocus(), flash);
}

}  // namespace
