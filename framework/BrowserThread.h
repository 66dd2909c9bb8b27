#pragma once
#include <windows.h>

#include <memory>

#include "HtmlAppManager.h"
#include "UniqueHandle.h"

// The browser thread's procedure: its own OLE apartment around Run.
DWORD WINAPI BrowserThreadProc(void* htmlApp);

// Owns the browser thread and its application object, and keeps the object
// alive until the thread no longer uses it.
class CBrowserThread {
 public:
  CBrowserThread() = default;
  ~CBrowserThread() { Stop(); }
  CBrowserThread(const CBrowserThread&) = delete;
  CBrowserThread& operator=(const CBrowserThread&) = delete;

  // Returns once the thread can take commands, or has ended without doing so.
  [[nodiscard]] bool Start();
  // Ends the thread's loop and waits for it before freeing the application.
  void Stop();
  [[nodiscard]] CHtmlAppManager* App() const { return app_.get(); }
  [[nodiscard]] DWORD ThreadId() const { return threadId_; }

 private:
  std::unique_ptr<CHtmlAppManager> app_;
  UniqueKernelHandle thread_;
  DWORD threadId_ = 0;
};
