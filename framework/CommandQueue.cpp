#include "CommandQueue.h"

bool CommandQueue::Push(const HtmlCommand& command) {
  std::lock_guard<std::mutex> guard(lock_);
  items_.push_back(command);
  return ready_;
}

std::optional<HtmlCommand> CommandQueue::PopFront() {
  std::lock_guard<std::mutex> guard(lock_);
  if (items_.empty()) return std::nullopt;
  HtmlCommand front = std::move(items_.front());
  items_.pop_front();
  return front;
}

std::size_t CommandQueue::Count() const {
  std::lock_guard<std::mutex> guard(lock_);
  return items_.size();
}

std::size_t CommandQueue::MarkReady() {
  std::lock_guard<std::mutex> guard(lock_);
  if (ready_) return 0;
  ready_ = true;
  return items_.size();
}
