#pragma once
#include <windows.h>

#include <mutex>
#include <vector>

class CWindowCtrl;

// One per thread that owns windows: registers for its thread, starts GDI+,
// runs InitInstance and pumps the thread's messages through the
// pre-translation chain of its window objects.
class CAppManager {
 public:
  CAppManager() = default;
  virtual ~CAppManager() = default;
  CAppManager(const CAppManager&) = delete;
  CAppManager& operator=(const CAppManager&) = delete;

  // True: run the message loop afterwards (when a window exists).
  virtual bool InitInstance() { return true; }
  virtual int PreTranslateMessage(MSG*) { return 0; }
  virtual LRESULT OnUnboundMessage(HWND, UINT, WPARAM, LPARAM) { return 0; }

  void Run();
  bool RunMessageLoop();
  // Window, its ancestors (owners for popups), then the application; and on
  // along the chain of applications.
  [[nodiscard]] int PreTranslate(MSG* msg);
  // The same for this application alone: the modal loop of image dialogs.
  [[nodiscard]] int PreTranslateOwn(MSG* msg);

  bool AddWindow(HWND hwnd, CWindowCtrl* window);
  void RemoveWindow(HWND hwnd);
  [[nodiscard]] CWindowCtrl* FindWindowObject(HWND hwnd) const;
  [[nodiscard]] std::size_t WindowCount() const;
  [[nodiscard]] std::vector<HWND> WindowHandles() const;

  [[nodiscard]] DWORD ThreadId() const { return threadId_; }
  void SetThreadId(DWORD threadId) { threadId_ = threadId; }
  [[nodiscard]] bool InLoop() const { return inLoop_; }

 private:
  // The list is changed from other threads too (a window object destroyed by
  // its owner on another thread), so it has a lock of its own.
  mutable std::mutex windowsLock_;
  std::vector<CWindowCtrl*> windows_;
  DWORD threadId_ = 0;
  CAppManager* next_ = nullptr;
  ULONG_PTR gdiplusToken_ = 0;
  bool inLoop_ = false;
};
