#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppManager.h"
#include "WindowCtrl.h"
#include "WinTestSupport.h"

namespace {

std::vector<std::string> g_order;

class RecordingApp : public CAppManager {
 public:
  int PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN) g_order.push_back("app");
    return 0;
  }
};

class RecordingWindow : public CWindowCtrl {
 public:
  RecordingWindow(std::string name, bool consume) : name_(std::move(name)), consume_(consume) {
    SetClassName(L"PreTranslateProbe");
  }
  int PreTranslateMessage(MSG* msg) override {
    if (msg->message != WM_KEYDOWN) return 0;
    g_order.push_back(name_);
    return consume_ ? 1 : 0;
  }
  LRESULT MessageHook(UINT message, WPARAM, LPARAM) override {
    if (message == WM_KEYDOWN) g_order.push_back(name_ + ":dispatched");
    if (message == WM_CHAR) g_order.push_back(name_ + ":translated");
    return 0;
  }

 private:
  std::string name_;
  bool consume_;
};

struct Case {
  const char* consumer;  // "" for none
  std::vector<std::string> expected;
};

class PreTranslateOrder : public ::testing::TestWithParam<Case> {};

TEST_P(PreTranslateOrder, ChildThenEachAncestorThenTheApplication) {
  const Case& c = GetParam();
  g_order.clear();
  RecordingApp app;
  testsupport::ScopedApp scope(app);
  RecordingWindow top("top", c.consumer == std::string("top"));
  RecordingWindow middle("middle", c.consumer == std::string("middle"));
  RecordingWindow leaf("leaf", c.consumer == std::string("leaf"));
  ASSERT_TRUE(top.Create(0, nullptr, L"", WS_POPUP, 0, 0, 100, 100, nullptr));
  ASSERT_TRUE(middle.Create(0, nullptr, L"", WS_CHILD, 0, 0, 50, 50, top.GetHwnd()));
  // A window without an object in between is skipped.
  HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 40, 40, middle.GetHwnd(),
                               nullptr, nullptr, nullptr);
  ASSERT_TRUE(leaf.Create(0, nullptr, L"", WS_CHILD, 0, 0, 20, 20, plain));

  PostMessageW(leaf.GetHwnd(), WM_KEYDOWN, 'A', 0x001E0001);
  testsupport::PumpFor(100, &app);
  EXPECT_EQ(g_order, c.expected);
  DestroyWindow(top.GetHwnd());
}

INSTANTIATE_TEST_SUITE_P(
    Chain, PreTranslateOrder,
    ::testing::Values(
        Case{"", {"leaf", "middle", "top", "app", "leaf:dispatched", "leaf:translated"}},
        Case{"leaf", {"leaf"}},
        Case{"middle", {"leaf", "middle"}},
        Case{"top", {"leaf", "middle", "top"}}),
    [](const ::testing::TestParamInfo<Case>& info) {
      return std::string(info.param.consumer[0] ? info.param.consumer : "none");
    });

}  // namespace
