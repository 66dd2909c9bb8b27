#pragma once
#include <functional>
#include <vector>

#include "AppManager.h"
#include "CommandQueue.h"
#include "UniqueHandle.h"

// The browser thread's application: pumps from the start and executes the
// commands other threads queue for it, one per notification.
class CHtmlAppManager : public CAppManager {
 public:
  CHtmlAppManager();
  ~CHtmlAppManager() override;

  bool InitInstance() override;
  int PreTranslateMessage(MSG* msg) override;

  // Any thread. Commands queued before the thread is ready run once it is.
  BOOL PostCommand(const HtmlCommand& command);
  void ExecuteOneCommand();
  [[nodiscard]] std::size_t CommandCount() const { return queue_.Count(); }

  // Signalled once the thread's queue exists and queued commands are announced.
  [[nodiscard]] HANDLE ReadyEvent() const { return ready_.Get(); }
  // Runs on the browser thread when its loop has ended: the place to release
  // COM objects that belong to this thread. Call from the browser thread.
  void AtLoopEnd(std::function<void()> action);

 private:
  void Announce();

  CommandQueue queue_;
  UniqueKernelHandle ready_;
  std::vector<std::function<void()>> atLoopEnd_;
};

// The process's browser-thread application, published by its constructor.
[[nodiscard]] CHtmlAppManager* HtmlApp();
