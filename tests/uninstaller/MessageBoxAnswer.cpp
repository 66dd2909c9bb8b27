#include "MessageBoxAnswer.h"

#include <chrono>
#include <cwchar>

namespace fixtures {
namespace {

// The box's text is its longest static text (the icon's static has none).
BOOL CALLBACK CollectStaticText(HWND child, LPARAM param) {
  auto* longest = reinterpret_cast<std::wstring*>(param);
  wchar_t className[16] = {}, text[256] = {};
  GetClassNameW(child, className, 16);
  GetWindowTextW(child, text, 256);
  if (lstrcmpiW(className, L"Static") == 0 && std::wcslen(text) > longest->size()) *longest = text;
  return TRUE;
}

struct BoxSearch {
  DWORD processId;
  HWND box;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  wchar_t className[16] = {};
  GetClassNameW(hwnd, className, 16);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId || std::wcscmp(className, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  search->box = hwnd;
  return FALSE;
}

}  // namespace

MessageBoxAnswer::MessageBoxAnswer(DWORD processId, int button)
    : thread_([this, processId, button] { Answer(processId, button); }) {}

MessageBoxAnswer::~MessageBoxAnswer() { Wait(); }

bool MessageBoxAnswer::Wait() {
  if (thread_.joinable()) thread_.join();
  return answered_;
}

void MessageBoxAnswer::Answer(DWORD processId, int button) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < end) {
    BoxSearch search{processId, nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    if (search.box) {
      // The box may be found before its controls are filled in.
      std::wstring text;
      EnumChildWindows(search.box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
      if (!text.empty()) {
        wchar_t caption[64] = {};
        GetWindowTextW(search.box, caption, 64);
        shownText = text;
        shownCaption = caption;
        SendMessageW(GetDlgItem(search.box, button), BM_CLICK, 0, 0);
        answered_ = true;
        return;
      }
    }
    Sleep(20);
  }
}

}  // namespace fixtures
