#pragma once
#include <cstddef>
#include <list>
#include <mutex>
#include <optional>

#include "HtmlCommand.h"

// The browser thread's command queue, oldest first. Commands queued before
// the consumer is ready are announced when it becomes ready, so none is lost.
class CommandQueue {
 public:
  // Returns true when the consumer is ready and the caller must announce it.
  [[nodiscard]] bool Push(const HtmlCommand& command);
  [[nodiscard]] std::optional<HtmlCommand> PopFront();
  [[nodiscard]] std::size_t Count() const;
  // Returns how many commands are waiting for an announcement.
  [[nodiscard]] std::size_t MarkReady();

 private:
  mutable std::mutex lock_;
  std::list<HtmlCommand> items_;
  bool ready_ = false;
};
