#include <gtest/gtest.h>

#include "BrowserLayout.h"

namespace {

TEST(LayoutBrowser, LoginLayoutHidesTheBrowsersBottomEdgeGameModeFitsExactly) {
  struct Row {
    PixelRect client;
    bool gameMode;
    PixelRect browser;
    PixelRect flash;
  } rows[] = {
      {{0, 0, 800, 600}, false, {0, 0, 800, 604}, {0, 0, 800, 600}},
      {{0, 0, 800, 600}, true, {0, 0, 800, 600}, {0, 0, 800, 600}},
      {{0, 0, 563, 378}, false, {0, 0, 563, 382}, {0, 0, 563, 378}},
      {{0, 0, 0, 0}, false, {0, 0, 0, 4}, {0, 0, 0, 0}},
      {{0, 0, 1920, 1055}, true, {0, 0, 1920, 1055}, {0, 0, 1920, 1055}},
  };
  for (const Row& row : rows) {
    BrowserLayout layout = LayoutBrowser(row.client, row.gameMode);
    EXPECT_EQ(layout.browser, row.browser) << row.client.width << (row.gameMode ? " game" : " login");
    EXPECT_EQ(layout.flash, row.flash);
  }
}

}  // namespace
