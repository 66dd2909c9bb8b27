#pragma once

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelRect& o) const {
    return left == o.left && top == o.top && width == o.width && height == o.height;
  }
};

struct BrowserLayout {
  PixelRect browser;
  PixelRect flash;
};

// Where the browser window and the plug-in window go inside the HTML
// control's client rectangle. In the login layout the browser is 4 pixels
// taller so that its bottom edge stays out of sight; the plug-in window
// always matches the control.
[[nodiscard]] BrowserLayout LayoutBrowser(const PixelRect& client, bool gameMode);
