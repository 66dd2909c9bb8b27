#include "Playback.h"

#include <utility>

namespace {

PlannedEvent Event(EventKind kind, int delayMs, int frame, std::wstring url) {
  PlannedEvent e;
  e.kind = kind;
  e.delayMs = delayMs;
  e.frame = frame;
  e.url = std::move(url);
  return e;
}

bool IsAction(EventKind k) {
  return k == EventKind::NewWindow || k == EventKind::ScriptError || k == EventKind::Navigate;
}

}  // namespace

std::vector<PlannedEvent> PlanNavigation(const PageSpec* page, const std::wstring& url) {
  std::vector<PlannedEvent> plan;
  plan.push_back(Event(EventKind::BeforeNavigate, 0, kTopLevel, url));
  int loadMs = page ? page->loadMs : 0;
  if (page && page->errorStatus) {
    PlannedEvent e = Event(EventKind::NavigateError, loadMs, kTopLevel, url);
    e.status = *page->errorStatus;
    plan.push_back(std::move(e));
    return plan;
  }
  plan.push_back(Event(EventKind::NavigateComplete, loadMs, kTopLevel, url));
  // A page without a title shows its address, as the control does.
  plan.push_back(Event(EventKind::TitleChange, 0, kTopLevel, page && !page->title.empty() ? page->title : url));
  if (page) {
    for (size_t i = 0; i < page->frames.size(); ++i) {
      int frame = static_cast<int>(i);
      for (EventKind k : {EventKind::BeforeNavigate, EventKind::NavigateComplete, EventKind::DocumentComplete})
        plan.push_back(Event(k, 0, frame, page->frames[i]));
    }
  }
  plan.push_back(Event(EventKind::DocumentComplete, 0, kTopLevel, url));
  if (page) {
    for (const ActionSpec& a : page->actions) {
      EventKind kind = a.kind == ActionKind::NewWindow     ? EventKind::NewWindow
                       : a.kind == ActionKind::ScriptError ? EventKind::ScriptError
                                                           : EventKind::Navigate;
      PlannedEvent e = Event(kind, a.delayMs, kTopLevel, a.url.empty() ? url : a.url);
      e.action = a;
      plan.push_back(std::move(e));
    }
  }
  return plan;
}

void Playback::Start(std::vector<PlannedEvent> events) {
  pending_.assign(std::make_move_iterator(events.begin()), std::make_move_iterator(events.end()));
}

PlannedEvent Playback::Pop() {
  PlannedEvent e = std::move(pending_.front());
  pending_.pop_front();
  return e;
}

template <typename Pred>
void Playback::DropIf(Pred drop) {
  std::deque<PlannedEvent> kept;
  int carried = 0;
  for (PlannedEvent& e : pending_) {
    if (drop(e)) {
      carried += e.delayMs;
      continue;
    }
    e.delayMs += std::exchange(carried, 0);
    kept.push_back(std::move(e));
  }
  pending_ = std::move(kept);
}

void Playback::CancelNavigation(int frame) {
  if (frame == kTopLevel) {
    pending_.clear();
    return;
  }
  DropIf([frame](const PlannedEvent& e) { return e.frame == frame && !IsAction(e.kind); });
}

void Playback::StopScripts() {
  DropIf([](const PlannedEvent& e) { return IsAction(e.kind); });
}
