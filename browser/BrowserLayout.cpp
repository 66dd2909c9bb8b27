#include "BrowserLayout.h"

namespace {
constexpr int kLoginExtraHeight = 4;
}

BrowserLayout LayoutBrowser(const PixelRect& client, bool gameMode) {
  BrowserLayout layout{client, client};
  if (!gameMode) layout.browser.height += kLoginExtraHeight;
  return layout;
}
