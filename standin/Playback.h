#pragma once
#include <deque>
#include <string>
#include <vector>

#include "Script.h"

// One navigation of the stand-in browser as the timed list of what it fires.

enum class EventKind {
  BeforeNavigate,
  NavigateError,
  NavigateComplete,
  TitleChange,
  DocumentComplete,
  NewWindow,
  ScriptError,
  Navigate,  // the page's script navigates the browser
};

constexpr int kTopLevel = -1;

struct PlannedEvent {
  EventKind kind = EventKind::BeforeNavigate;
  int delayMs = 0;  // after the previous event
  int frame = kTopLevel;  // index into the page's frames
  std::wstring url;
  long status = 0;  // NavigateError
  ActionSpec action;  // NewWindow, ScriptError, Navigate
};

// In the control's order: the top-level navigation, its title, each frame's
// own navigation and document, the top-level document, then the page's script.
// Without a page the URL loads an empty document.
[[nodiscard]] std::vector<PlannedEvent> PlanNavigation(const PageSpec* page, const std::wstring& url);

// The events still to fire. Dropped events hand their delay on, so later
// events keep their time.
class Playback {
 public:
  void Start(std::vector<PlannedEvent> events);
  [[nodiscard]] bool Empty() const { return pending_.empty(); }
  [[nodiscard]] int NextDelayMs() const { return pending_.empty() ? 0 : pending_.front().delayMs; }
  [[nodiscard]] PlannedEvent Pop();
  // A cancelled top-level navigation stops everything; a cancelled frame only itself.
  void CancelNavigation(int frame);
  // The page's script stopped: its remaining actions are dropped.
  void StopScripts();
  void Clear() { pending_.clear(); }

 private:
  template <typename Pred>
  void DropIf(Pred drop);
  std::deque<PlannedEvent> pending_;
};
