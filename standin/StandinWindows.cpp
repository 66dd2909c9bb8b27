#include "StandinWindows.h"

#include <utility>

#include "Module.h"

namespace {

constexpr wchar_t kPageClass[] = L"VdStandinBrowser";
constexpr wchar_t kTimerClass[] = L"VdStandinTimer";
constexpr UINT_PTR kTimerId = 1;

LRESULT CALLBACK FlashProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_PAINT) return DefWindowProcW(hwnd, msg, wp, lp);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT rc;
  GetClientRect(hwnd, &rc);
  HBRUSH dark = static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH));
  FillRect(dc, &rc, dark);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  DrawTextW(dc, L"Flash", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EndPaint(hwnd, &ps);
  return 0;
}

void Register(const wchar_t* name, WNDPROC proc, HBRUSH background) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  if (GetClassInfoExW(ModuleInstance(), name, &wc)) return;
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = ModuleInstance();
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

template <typename T>
T* Bound(HWND hwnd, UINT msg, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    return self;
  }
  return reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace

bool PageWindow::Create(HWND parent, const RECT& rect) {
  Register(kPageClass, Proc, nullptr);
  window_.Reset(CreateWindowExW(0, kPageClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, ModuleInstance(),
                                this));
  return static_cast<bool>(window_);
}

void PageWindow::Destroy() {
  flash_.Reset();
  window_.Reset();
}

void PageWindow::Show(const std::wstring& url, const std::wstring& title) {
  url_ = url;
  title_ = title;
  if (window_) InvalidateRect(window_.Get(), nullptr, TRUE);
}

void PageWindow::ShowFlash(bool show) {
  if (!show) {
    flash_.Reset();
    return;
  }
  if (flash_ || !window_) return;
  Register(kFlashClassName, FlashProc, nullptr);
  flash_.Reset(CreateWindowExW(0, kFlashClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window_.Get(), nullptr,
                               ModuleInstance(), nullptr));
  FitFlash();
}

void PageWindow::FitFlash() {
  if (!flash_ || !window_) return;
  RECT rc;
  GetClientRect(window_.Get(), &rc);
  MoveWindow(flash_.Get(), 0, 0, rc.right, rc.bottom, TRUE);
}

void PageWindow::Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT rc;
  GetClientRect(hwnd, &rc);
  FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  // A stock font: nothing to free, only to put back.
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT line = {rc.left + 8, rc.top + 8, rc.right - 8, rc.top + 28};
  std::wstring text = L"Title: " + title_;
  DrawTextW(dc, text.c_str(), -1, &line, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  OffsetRect(&line, 0, 20);
  text = L"URL: " + url_;
  DrawTextW(dc, text.c_str(), -1, &line, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK PageWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  PageWindow* self = Bound<PageWindow>(hwnd, msg, lp);
  if (self) {
    switch (msg) {
      case WM_PAINT:
        self->Paint(hwnd);
        return 0;
      case WM_ERASEBKGND:
        return 1;
      case WM_SIZE:
        self->FitFlash();
        return 0;
      case WM_NCDESTROY:
        // Destroyed with the host's window: the handles are gone already.
        (void)self->flash_.Release();
        (void)self->window_.Release();
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        break;
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

bool TimerWindow::Create(std::function<void()> onTimer) {
  onTimer_ = std::move(onTimer);
  Register(kTimerClass, Proc, nullptr);
  window_.Reset(CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ModuleInstance(), this));
  return static_cast<bool>(window_);
}

void TimerWindow::Arm(int ms) {
  if (window_) SetTimer(window_.Get(), kTimerId, ms < static_cast<int>(USER_TIMER_MINIMUM) ? USER_TIMER_MINIMUM : ms, nullptr);
}

void TimerWindow::Disarm() {
  if (window_) KillTimer(window_.Get(), kTimerId);
}

LRESULT CALLBACK TimerWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TimerWindow* self = Bound<TimerWindow>(hwnd, msg, lp);
  if (self && msg == WM_TIMER && wp == kTimerId) {
    if (self->onTimer_) self->onTimer_();
    return 0;
  }
  if (self && msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void UnregisterStandinWindowClasses() {
  for (const wchar_t* name : {kPageClass, kTimerClass, kFlashClassName}) UnregisterClassW(name, ModuleInstance());
}
