#include <gtest/gtest.h>

#include <exdispid.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ComPtr.h"
#include "TestHost.h"
#include "WinTestSupport.h"

namespace {

std::string Utf8(const std::wstring& w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string s(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
  return s;
}

std::wstring Text(BSTR b) { return b ? std::wstring(b) : std::wstring(); }

// Each test gets its own script and log file, named after the test.
class StandinBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    std::wstring name = Wide(::testing::UnitTest::GetInstance()->current_test_info()->name());
    logPath_ = testsupport::TestOutputDir() + L"\\standin_" + name + L".log";
    scriptPath_ = testsupport::TestOutputDir() + L"\\standin_" + name + L".txt";
    DeleteFileW(logPath_.c_str());
    SetEnvironmentVariableW(L"VD_STANDIN_LOG", logPath_.c_str());
    SetEnvironmentVariableW(L"VD_STANDIN_SCRIPT", nullptr);
  }
  void TearDown() override {
    host_.reset();
    SetEnvironmentVariableW(L"VD_STANDIN_LOG", nullptr);
    SetEnvironmentVariableW(L"VD_STANDIN_SCRIPT", nullptr);
    OleUninitialize();
  }

  static std::wstring Wide(const char* s) { return std::wstring(s, s + strlen(s)); }

  void UseScript(const char* text) {
    std::ofstream(Utf8(scriptPath_), std::ios::binary) << text;
    SetEnvironmentVariableW(L"VD_STANDIN_SCRIPT", scriptPath_.c_str());
  }

  TestHost& Host() {
    if (!host_) {
      host_ = std::make_unique<TestHost>();
      HRESULT hr = host_->Create();
      EXPECT_EQ(hr, S_OK);
    }
    return *host_;
  }

  [[nodiscard]] std::string Log() const {
    std::ifstream in(Utf8(logPath_), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::wstring logPath_;
  std::wstring scriptPath_;
  std::unique_ptr<TestHost> host_;
};

const char kTwoPages[] =
    "page http://127.0.0.1:18080/one.html\n"
    "  title One\n"
    "  body <p>first page</p>\n"
    "  element login_user text alice\n"
    "  element box attr value 42\n"
    "  frame http://127.0.0.1:18080/frame.html\n"
    "  wait 50\n"
    "  newwindow http://127.0.0.1:18082/kf.html 6\n"
    "  navigate http://127.0.0.1:18080/two.html\n"
    "page http://127.0.0.1:18080/two.html\n"
    "  title \xE7\xAC\xAC\xE4\xBA\x8C\n"
    "  flash\n";

TEST_F(StandinBrowserTest, OleCreateLoadsTheStandinAndItsWindowIsInsideTheHost) {
  TestHost& host = Host();
  ASSERT_TRUE(host.Browser());
  EXPECT_NE(GetModuleHandleW(L"browser_standin.dll"), nullptr) << "the registered server was not loaded";
  HWND shell = host.ShellBrowserWindow();
  ASSERT_NE(shell, nullptr);
  EXPECT_TRUE(IsChild(host.Window(), shell));
  std::string log = Log();
  for (const char* call : {"IOleObject::GetMiscStatus", "IPersistStorage::InitNew", "IOleObject::SetClientSite",
                           "IOleObject::DoVerb verb=-5", "IConnectionPoint::Advise"})
    EXPECT_NE(log.find(call), std::string::npos) << call;
  EXPECT_LT(log.find("IPersistStorage::InitNew"), log.find("IOleObject::DoVerb"));
}

TEST_F(StandinBrowserTest, PlaysTwoPagesInTheControlsOrderWithTheRealArgumentLayouts) {
  UseScript(kTwoPages);
  TestHost& host = Host();
  ComPtr<IUnknown> self = ComPtr<IWebBrowser2>::Copy(host.Browser()).As<IUnknown>(IID_IUnknown);
  ASSERT_EQ(host.Navigate(L"http://127.0.0.1:18080/one.html"), S_OK);
  ASSERT_TRUE(host.WaitFor(DISPID_DOCUMENTCOMPLETE, 3));

  struct Expected {
    DISPID id;
    const wchar_t* url;
    bool fromFrame;
  } expected[] = {
      {DISPID_BEFORENAVIGATE2, L"http://127.0.0.1:18080/one.html", false},
      {DISPID_NAVIGATECOMPLETE2, L"http://127.0.0.1:18080/one.html", false},
      {DISPID_TITLECHANGE, L"One", false},
      {DISPID_BEFORENAVIGATE2, L"http://127.0.0.1:18080/frame.html", true},
      {DISPID_NAVIGATECOMPLETE2, L"http://127.0.0.1:18080/frame.html", true},
      {DISPID_DOCUMENTCOMPLETE, L"http://127.0.0.1:18080/frame.html", true},
      {DISPID_DOCUMENTCOMPLETE, L"http://127.0.0.1:18080/one.html", false},
      {DISPID_NEWWINDOW3, L"http://127.0.0.1:18082/kf.html", false},
      {DISPID_BEFORENAVIGATE2, L"http://127.0.0.1:18080/two.html", false},
      {DISPID_NAVIGATECOMPLETE2, L"http://127.0.0.1:18080/two.html", false},
      {DISPID_TITLECHANGE, L"\x7B2C\x4E8C", false},
      {DISPID_DOCUMENTCOMPLETE, L"http://127.0.0.1:18080/two.html", false},
  };
  ASSERT_EQ(host.events.size(), std::size(expected));
  IUnknown* frame = host.events[3].source;
  EXPECT_NE(frame, nullptr);
  EXPECT_NE(frame, self.Get());
  for (size_t i = 0; i < std::size(expected); ++i) {
    const ReceivedEvent& e = host.events[i];
    EXPECT_EQ(e.id, expected[i].id) << i;
    EXPECT_EQ(e.url, expected[i].url) << i;
    if (e.id == DISPID_TITLECHANGE || e.id == DISPID_NEWWINDOW3) continue;
    EXPECT_EQ(e.source, expected[i].fromFrame ? frame : self.Get()) << i;
  }

  const VARTYPE ref = VT_BYREF | VT_VARIANT;
  EXPECT_EQ(host.events[0].types, (std::vector<VARTYPE>{VT_BYREF | VT_BOOL, ref, ref, ref, ref, ref, VT_DISPATCH}));
  EXPECT_EQ(host.events[0].referredTypes[5], VT_BSTR);
  EXPECT_EQ(host.events[0].referredTypes[4], VT_I4);
  EXPECT_EQ(host.events[1].types, (std::vector<VARTYPE>{ref, VT_DISPATCH}));
  EXPECT_EQ(host.events[1].referredTypes[0], VT_BSTR);
  EXPECT_EQ(host.events[2].types, std::vector<VARTYPE>{VT_BSTR});
  EXPECT_EQ(host.events[6].types, (std::vector<VARTYPE>{ref, VT_DISPATCH}));
  const ReceivedEvent& popup = host.events[7];
  EXPECT_EQ(popup.types, (std::vector<VARTYPE>{VT_BSTR, VT_BSTR, VT_I4, VT_BYREF | VT_BOOL, VT_BYREF | VT_DISPATCH}));
  EXPECT_EQ(popup.context, L"http://127.0.0.1:18080/one.html");
  EXPECT_EQ(popup.number, 6);

  BSTR location = nullptr;
  ASSERT_EQ(host.Browser()->get_LocationURL(&location), S_OK);
  EXPECT_EQ(Text(location), L"http://127.0.0.1:18080/two.html");
  SysFreeString(location);
  EXPECT_NE(Log().find("cancelled: nothing opened"), std::string::npos);
}

TEST_F(StandinBrowserTest, DocumentsHoldWhatTheScriptGaveAndLogWhatTheHostDid) {
  UseScript(kTwoPages);
  TestHost& host = Host();
  bool checked = false;
  host.onEvent = [&](const ReceivedEvent& e) {
    if (e.id != DISPID_DOCUMENTCOMPLETE || e.url != L"http://127.0.0.1:18080/one.html") return;
    checked = true;
    ComPtr<IHTMLDocument2> doc = host.Document();
    ASSERT_TRUE(doc);
    BSTR s = nullptr;
    ASSERT_EQ(doc->get_title(&s), S_OK);
    EXPECT_EQ(Text(s), L"One");
    SysFreeString(s);
    ComPtr<IHTMLElement> body;
    ASSERT_EQ(doc->get_body(body.Put()), S_OK);
    ASSERT_EQ(body->get_innerHTML(&s), S_OK);
    EXPECT_EQ(Text(s), L"<p>first page</p>");
    SysFreeString(s);
    ComPtr<IHTMLBodyElement> bodyElement = body.As<IHTMLBodyElement>(IID_IHTMLBodyElement);
    ASSERT_TRUE(bodyElement);
    BSTR no = SysAllocString(L"no");
    EXPECT_EQ(bodyElement->put_scroll(no), S_OK);
    SysFreeString(no);

    ComPtr<IHTMLDocument3> doc3 = doc.As<IHTMLDocument3>(IID_IHTMLDocument3);
    ASSERT_TRUE(doc3);
    BSTR id = SysAllocString(L"login_user");
    ComPtr<IHTMLElement> user;
    ASSERT_EQ(doc3->getElementById(id, user.Put()), S_OK);
    SysFreeString(id);
    ASSERT_TRUE(user);
    ASSERT_EQ(user->get_innerText(&s), S_OK);
    EXPECT_EQ(Text(s), L"alice");
    SysFreeString(s);

    id = SysAllocString(L"box");
    ComPtr<IHTMLElement> box;
    ASSERT_EQ(doc3->getElementById(id, box.Put()), S_OK);
    SysFreeString(id);
    ASSERT_TRUE(box);
    BSTR value = SysAllocString(L"value");
    VARIANT v;
    VariantInit(&v);
    ASSERT_EQ(box->getAttribute(value, 0, &v), S_OK);
    ASSERT_EQ(v.vt, VT_BSTR);
    EXPECT_EQ(Text(v.bstrVal), L"42");
    VariantClear(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(L"bob");
    EXPECT_EQ(box->setAttribute(value, v, 1), S_OK);
    VariantClear(&v);
    ASSERT_EQ(box->getAttribute(value, 0, &v), S_OK);
    EXPECT_EQ(Text(v.bstrVal), L"bob");
    VariantClear(&v);
    SysFreeString(value);
    EXPECT_EQ(box->click(), S_OK);

    id = SysAllocString(L"missing");
    ComPtr<IHTMLElement> missing;
    EXPECT_EQ(doc3->getElementById(id, missing.Put()), S_OK);
    EXPECT_FALSE(missing);
    SysFreeString(id);
  };
  ASSERT_EQ(host.Navigate(L"http://127.0.0.1:18080/one.html"), S_OK);
  ASSERT_TRUE(host.WaitFor(DISPID_DOCUMENTCOMPLETE, 3));
  EXPECT_TRUE(checked);
  std::string log = Log();
  for (const char* line : {"IHTMLBodyElement::put_scroll \"no\"",
                           "IHTMLElement::setAttribute id=\"box\" name=\"value\" value=\"bob\" flags=1",
                           "IHTMLElement::click id=\"box\""})
    EXPECT_NE(log.find(line), std::string::npos) << line;
}

TEST_F(StandinBrowserTest, FlashWindowFillsTheBrowserWindowOnlyWhereTheScriptAsks) {
  UseScript(kTwoPages);
  TestHost& host = Host();
  HWND shell = host.ShellBrowserWindow();
  ASSERT_TRUE(host.Navigate(L"http://127.0.0.1:18080/one.html") == S_OK && host.WaitFor(DISPID_DOCUMENTCOMPLETE, 1));
  EXPECT_EQ(FindWindowExW(shell, nullptr, L"MacromediaFlashPlayerActiveX", nullptr), nullptr);
  ASSERT_TRUE(host.WaitFor(DISPID_DOCUMENTCOMPLETE, 3));
  HWND flash = FindWindowExW(shell, nullptr, L"MacromediaFlashPlayerActiveX", nullptr);
  ASSERT_NE(flash, nullptr);
  MoveWindow(shell, 0, 0, 300, 200, TRUE);
  RECT rc;
  GetClientRect(flash, &rc);
  EXPECT_EQ(rc.right, 300);
  EXPECT_EQ(rc.bottom, 200);
  ASSERT_TRUE(host.Navigate(L"http://127.0.0.1:18080/elsewhere.html") == S_OK &&
              host.WaitFor(DISPID_DOCUMENTCOMPLETE, 4));
  EXPECT_EQ(FindWindowExW(shell, nullptr, L"MacromediaFlashPlayerActiveX", nullptr), nullptr);
}

TEST_F(StandinBrowserTest, CancelledNavigationsStop) {
  struct Case {
    const char* name;
    const wchar_t* cancel;
    std::vector<DISPID> events;
  } cases[] = {
      {"top", L"http://127.0.0.1:18080/one.html", {DISPID_BEFORENAVIGATE2}},
      {"frame",
       L"http://127.0.0.1:18080/frame.html",
       {DISPID_BEFORENAVIGATE2, DISPID_NAVIGATECOMPLETE2, DISPID_TITLECHANGE, DISPID_BEFORENAVIGATE2,
        DISPID_DOCUMENTCOMPLETE}},
  };
  UseScript(
      "page http://127.0.0.1:18080/one.html\n"
      "  frame http://127.0.0.1:18080/frame.html\n"
      "  wait 30\n"
      "  navigate http://127.0.0.1:18080/two.html\n");
  for (const Case& c : cases) {
    host_.reset();
    TestHost& host = Host();
    host.cancelNavigationTo = c.cancel;
    ASSERT_EQ(host.Navigate(L"http://127.0.0.1:18080/one.html"), S_OK);
    testsupport::PumpFor(150);
    // The frame case goes on to two.html; only what one.html fired counts.
    std::vector<DISPID> got;
    for (const ReceivedEvent& e : host.events)
      if (e.url != L"http://127.0.0.1:18080/two.html") got.push_back(e.id);
    EXPECT_EQ(got, c.events) << c.name;
  }
  EXPECT_EQ(host_->Count(DISPID_NAVIGATECOMPLETE2), 2) << "the page's script still navigated";
}

TEST_F(StandinBrowserTest, NewWindowOpensNothingWhenCancelledAndIsLoggedOtherwise) {
  struct Case {
    bool cancel;
    const char* logged;
  } cases[] = {{true, "cancelled: nothing opened"}, {false, "not cancelled: a new window would open"}};
  UseScript("page http://127.0.0.1:18080/one.html\n  newwindow http://127.0.0.1:18082/kf.html\n");
  for (const Case& c : cases) {
    DeleteFileW(logPath_.c_str());
    host_.reset();
    TestHost& host = Host();
    host.cancelNewWindow = c.cancel;
    ASSERT_EQ(host.Navigate(L"http://127.0.0.1:18080/one.html"), S_OK);
    ASSERT_TRUE(host.WaitFor(DISPID_NEWWINDOW3));
    std::string log = Log();
    EXPECT_NE(log.find(c.logged), std::string::npos) << log;
    EXPECT_EQ(testsupport::PumpUntil([&] { return host.Count(DISPID_BEFORENAVIGATE2) > 1; }, 100), false)
        << "a new window request navigated the browser";
  }
}

TEST_F(StandinBrowserTest, ScriptErrorsAskTheHostWhoDecidesWhetherScriptsGoOn) {
  struct Case {
    VARIANT_BOOL answer;
    int navigations;
  } cases[] = {{VARIANT_TRUE, 2}, {VARIANT_FALSE, 1}};
  UseScript(
      "page http://127.0.0.1:18080/one.html\n"
      "  scripterror 12 5 -2146827850 Object expected\n"
      "  navigate http://127.0.0.1:18080/after.html\n");
  for (const Case& c : cases) {
    host_.reset();
    TestHost& host = Host();
    host.scriptErrorAnswer = c.answer;
    ASSERT_EQ(host.Navigate(L"http://127.0.0.1:18080/one.html"), S_OK);
    testsupport::PumpUntil([&] { return host.Count(DISPID_DOCUMENTCOMPLETE) == c.navigations; }, 2000);
    testsupport::PumpFor(100);
    EXPECT_EQ(host.scriptErrorValues,
              (std::vector<std::wstring>{L"12", L"5", L"-2146827850", L"Object expected",
                                         L"http://127.0.0.1:18080/one.html"}));
    EXPECT_EQ(host.Count(DISPID_DOCUMENTCOMPLETE), c.navigations) << c.answer;
  }
}

TEST_F(StandinBrowserTest, NavigationErrorsCarryTheStatusAndNothingCompletes) {
  UseScript("page http://127.0.0.1:18080/gone.html\n  error 404\n");
  TestHost& host = Host();
  ASSERT_EQ(host.Navigate(L"http://127.0.0.1:18080/gone.html"), S_OK);
  ASSERT_TRUE(host.WaitFor(DISPID_NAVIGATEERROR));
  testsupport::PumpFor(50);
  ASSERT_EQ(host.events.size(), 2u);
  const ReceivedEvent& e = host.events[1];
  const VARTYPE ref = VT_BYREF | VT_VARIANT;
  EXPECT_EQ(e.types, (std::vector<VARTYPE>{VT_BYREF | VT_BOOL, ref, ref, ref, VT_DISPATCH}));
  EXPECT_EQ(e.url, L"http://127.0.0.1:18080/gone.html");
  EXPECT_EQ(e.number, 404);
}

TEST_F(StandinBrowserTest, WithoutAScriptEveryNavigationCompletesWithAnEmptyDocument) {
  TestHost& host = Host();
  ComPtr<IDispatch> none;
  EXPECT_EQ(host.Browser()->get_Document(none.Put()), S_FALSE);
  EXPECT_FALSE(none);
  ASSERT_EQ(host.Navigate(L"http://127.0.0.1:18080/wd/index.html?runcount=1"), S_OK);
  ASSERT_TRUE(host.WaitFor(DISPID_DOCUMENTCOMPLETE));
  EXPECT_EQ(host.Count(DISPID_NAVIGATECOMPLETE2), 1);
  ComPtr<IHTMLDocument2> doc = host.Document();
  ASSERT_TRUE(doc);
  BSTR s = nullptr;
  ASSERT_EQ(doc->get_title(&s), S_OK);
  EXPECT_EQ(Text(s), L"");
  SysFreeString(s);
  ComPtr<IHTMLElement> body;
  ASSERT_EQ(doc->get_body(body.Put()), S_OK);
  ASSERT_EQ(body->get_innerHTML(&s), S_OK);
  EXPECT_EQ(Text(s), L"");
  SysFreeString(s);
}

}  // namespace
