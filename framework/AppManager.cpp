#include "AppManager.h"

#include <gdiplus.h>

#include <algorithm>

#include "AppRegistry.h"
#include "WindowCtrl.h"

void CAppManager::Run() {
  if (!RegisterApp(this)) return;
  SetAppInstance(GetModuleHandleW(nullptr));
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr);
  if (InitInstance() && WindowCount() > 0) {
    RunMessageLoop();
  }
  UnregisterApp(threadId_);
  Gdiplus::GdiplusShutdown(gdiplusToken_);
}

bool CAppManager::RunMessageLoop() {
  if (GetCurrentThreadId() != threadId_ || inLoop_) return false;
  inLoop_ = true;
  MSG msg;
  // -1 is passed on like any message; nothing in it is ours to handle.
  while (GetMessageW(&msg, nullptr, 0, 0) != 0) {
    if (PreTranslate(&msg) == 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  inLoop_ = false;
  return true;
}

int CAppManager::PreTranslate(MSG* msg) {
  for (CAppManager* app = this; app != nullptr; app = app->next_) {
    if (app->PreTranslateOwn(msg)) return 1;
  }
  return 0;
}

int CAppManager::PreTranslateOwn(MSG* msg) {
  for (HWND h = msg->hwnd; h != nullptr; h = GetParent(h)) {
    CWindowCtrl* window = FindWindowObject(h);
    if (window && window->PreTranslateMessage(msg)) return 1;
  }
  return PreTranslateMessage(msg) ? 1 : 0;
}

bool CAppManager::AddWindow(HWND hwnd, CWindowCtrl* window) {
  std::lock_guard<std::mutex> guard(windowsLock_);
  auto same = [hwnd](CWindowCtrl* w) { return w->GetHwnd() == hwnd; };
  if (std::any_of(windows_.begin(), windows_.end(), same)) return false;
  windows_.push_back(window);
  return true;
}

void CAppManager::RemoveWindow(HWND hwnd) {
  std::lock_guard<std::mutex> guard(windowsLock_);
  auto it = std::find_if(windows_.begin(), windows_.end(),
                         [hwnd](CWindowCtrl* w) { return w->GetHwnd() == hwnd; });
  if (it == windows_.end()) return;
  (*it)->ClearHwnd();
  windows_.erase(it);
}

CWindowCtrl* CAppManager::FindWindowObject(HWND hwnd) const {
  if (!hwnd) return nullptr;
  std::lock_guard<std::mutex> guard(windowsLock_);
  auto it = std::find_if(windows_.begin(), windows_.end(),
                         [hwnd](CWindowCtrl* w) { return w->GetHwnd() == hwnd; });
  return it == windows_.end() ? nullptr : *it;
}

std::size_t CAppManager::WindowCount() const {
  std::lock_guard<std::mutex> guard(windowsLock_);
  return windows_.size();
}

std::vector<HWND> CAppManager::WindowHandles() const {
  std::lock_guard<std::mutex> guard(windowsLock_);
  std::vector<HWND> handles;
  for (CWindowCtrl* w : windows_) handles.push_back(w->GetHwnd());
  return handles;
}
