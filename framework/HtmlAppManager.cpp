#include "HtmlAppManager.h"

#include <atomic>

#include "HtmlCommandTarget.h"
#include "WindowCtrl.h"

namespace {
std::atomic<CHtmlAppManager*> g_htmlApp{nullptr};
}

CHtmlAppManager* HtmlApp() { return g_htmlApp.load(); }

CHtmlAppManager::CHtmlAppManager() : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  g_htmlApp.store(this);
}

CHtmlAppManager::~CHtmlAppManager() {
  CHtmlAppManager* self = this;
  g_htmlApp.compare_exchange_strong(self, nullptr);
}

bool CHtmlAppManager::InitInstance() {
  // Make the thread's message queue before anyone can post to it.
  MSG msg;
  PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  for (std::size_t waiting = queue_.MarkReady(); waiting > 0; --waiting) Announce();
  SetEvent(ready_.Get());
  RunMessageLoop();
  for (auto& action : atLoopEnd_) action();
  atLoopEnd_.clear();
  // Windows of this thread outlive it otherwise, and their objects, owned on
  // other threads, would keep handles to them; destroying them here unbinds them.
  for (HWND hwnd : WindowHandles()) DestroyWindow(hwnd);
  return false;
}

int CHtmlAppManager::PreTranslateMessage(MSG* msg) {
  if (msg->message != kHtmlCommandMessage) return 0;
  ExecuteOneCommand();
  return 1;
}

void CHtmlAppManager::Announce() { PostThreadMessageW(ThreadId(), kHtmlCommandMessage, 0, 0); }

BOOL CHtmlAppManager::PostCommand(const HtmlCommand& command) {
  if (!queue_.Push(command)) return TRUE;  // announced when the thread is ready
  return PostThreadMessageW(ThreadId(), kHtmlCommandMessage, 0, 0);
}

void CHtmlAppManager::AtLoopEnd(std::function<void()> action) {
  atLoopEnd_.push_back(std::move(action));
}

void CHtmlAppManager::ExecuteOneCommand() {
  std::optional<HtmlCommand> next = queue_.PopFront();
  if (!next || next->kind == 0) return;
  const HtmlCommand& c = *next;
  auto* target = reinterpret_cast<CHtmlCommandTarget*>(c.control);
  if (!target) return;
  switch (c.kind) {
    case kHtmlCreate: {
      CWindowCtrl& window = target->ControlWindow();
      if (!IsWindow(window.GetHwnd())) {
        window.Create(0, nullptr, L"", WS_CHILD | WS_VISIBLE, static_cast<int>(c.x),
                      static_cast<int>(c.y), static_cast<int>(c.argA), static_cast<int>(c.argB),
                      reinterpret_cast<HWND>(c.window));
      }
      break;
    }
    case kHtmlNavigate:
      if (target->HasBrowser()) {
        target->NavigateNow(c.url, static_cast<std::uint32_t>(c.argB));
      } else {
        PostCommand(c);
      }
      break;
    case kHtmlRefresh:
      if (target->HasBrowser()) target->RefreshNow();
      break;
    case kHtmlSetSilent:
      if (target->HasBrowser()) {
        target->SetSilentNow(c.argA != 0);
      } else {
        PostCommand(c);
      }
      break;
    default:
      break;
  }
}
