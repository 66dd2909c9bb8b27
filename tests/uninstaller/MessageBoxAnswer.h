#pragma once
#include <windows.h>

#include <string>
#include <thread>

namespace fixtures {

// Answers the next message box of a process by clicking one of its buttons,
// from a thread of its own; remembers the box's text and caption.
class MessageBoxAnswer {
 public:
  MessageBoxAnswer(DWORD processId, int button);
  ~MessageBoxAnswer();
  MessageBoxAnswer(const MessageBoxAnswer&) = delete;
  MessageBoxAnswer& operator=(const MessageBoxAnswer&) = delete;

  // Waits for the answer; true when a box was answered.
  bool Wait();

  std::wstring shownText, shownCaption;

 private:
  void Answer(DWORD processId, int button);

  bool answered_ = false;
  std::thread thread_;
};

}  // namespace fixtures
