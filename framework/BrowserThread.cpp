#include "BrowserThread.h"

#include <ole2.h>

namespace {
// A browser thread that does not end in this time is stuck inside the
// control; its application object is then left alive rather than freed under it.
constexpr DWORD kStopWaitMs = 10000;
constexpr DWORD kStartWaitMs = 10000;

// Waits for any of the handles while answering messages that other threads
// send to this thread's windows: the browser thread's windows are children of
// ours, and creating or destroying them sends to their parents.
DWORD WaitAnsweringSentMessages(DWORD count, const HANDLE* handles, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    ULONGLONG now = GetTickCount64();
    DWORD left = now >= end ? 0 : static_cast<DWORD>(end - now);
    DWORD r = MsgWaitForMultipleObjects(count, handles, FALSE, left, QS_SENDMESSAGE);
    if (r != WAIT_OBJECT_0 + count) return r;
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}
}  // namespace

DWORD WINAPI BrowserThreadProc(void* htmlApp) {
  if (OleInitialize(nullptr) == S_OK) {
    static_cast<CHtmlAppManager*>(htmlApp)->Run();
    OleUninitialize();
  }
  return 0;
}

bool CBrowserThread::Start() {
  if (app_) return true;
  app_ = std::make_unique<CHtmlAppManager>();
  thread_.Reset(CreateThread(nullptr, 0, &BrowserThreadProc, app_.get(), 0, &threadId_));
  if (!thread_) {
    app_.reset();
    return false;
  }
  HANDLE waitFor[] = {app_->ReadyEvent(), thread_.Get()};
  return WaitAnsweringSentMessages(2, waitFor, kStartWaitMs) == WAIT_OBJECT_0;
}

void CBrowserThread::Stop() {
  if (!app_) return;
  if (thread_) {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    HANDLE thread = thread_.Get();
    if (WaitAnsweringSentMessages(1, &thread, kStopWaitMs) != WAIT_OBJECT_0) {
      static_cast<void>(app_.release());
      thread_.Reset();
      return;
    }
  }
  thread_.Reset();
  app_.reset();
}
