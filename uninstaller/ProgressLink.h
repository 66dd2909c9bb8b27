#pragma once
#include <windows.h>

#include <functional>
#include <mutex>

// What the worker may touch of the wizard: the progress bar's position and
// the wizard window. The wizard detaches when its window goes, so a worker
// still running then touches nothing that is being freed.
class ProgressLink {
 public:
  using SetPosition = std::function<void(int percent)>;

  ProgressLink(HWND wizard, SetPosition setPosition);

  void Show(int percent);
  // Posts the finish message to the wizard window.
  void Finish();
  void Detach();

 private:
  std::mutex lock_;
  HWND wizard_;
  SetPosition setPosition_;
};
