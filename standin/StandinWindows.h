#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "UniqueHandle.h"

struct WindowHandleTraits {
  using Handle = HWND;
  static Handle None() { return nullptr; }
  static void Free(Handle h) { DestroyWindow(h); }
};
using UniqueWindow = UniqueHandle<WindowHandleTraits>;

inline constexpr wchar_t kFlashClassName[] = L"MacromediaFlashPlayerActiveX";

// The in-place window of the stand-in: a plain page that shows where the
// browser is, and the Flash player window when the page has one.
class PageWindow {
 public:
  [[nodiscard]] bool Create(HWND parent, const RECT& rect);
  void Destroy();
  [[nodiscard]] HWND Handle() const { return window_.Get(); }
  [[nodiscard]] HWND Flash() const { return flash_.Get(); }
  void Show(const std::wstring& url, const std::wstring& title);
  void ShowFlash(bool show);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void Paint(HWND hwnd);
  void FitFlash();

  UniqueWindow window_;
  UniqueWindow flash_;  // a child of window_, so destroyed first
  std::wstring url_;
  std::wstring title_;
};

// A message-only window whose timer drives the events, so that they arrive
// on the thread that created the browser.
class TimerWindow {
 public:
  [[nodiscard]] bool Create(std::function<void()> onTimer);
  void Arm(int ms);
  void Disarm();

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  UniqueWindow window_;
  std::function<void()> onTimer_;
};

void UnregisterStandinWindowClasses();
