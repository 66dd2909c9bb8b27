#pragma once
#include <cstdint>
#include <string>

// Kinds of work another thread can ask of the browser thread.
enum HtmlCommandKind : std::uintptr_t {
  kHtmlCreate = 1001,
  kHtmlNone = 1002,
  kHtmlNavigate = 1003,
  kHtmlRefresh = 1004,
  kHtmlSetSilent = 1005,
};

// Thread message that announces one queued command.
constexpr unsigned kHtmlCommandMessage = 8913;

// A queued command: the seven values of the record, plus the navigation URL
// carried by value so that a second navigation cannot overwrite the first.
struct HtmlCommand {
  std::uintptr_t window = 0;   // kHtmlCreate: the parent; otherwise the control's window
  std::uintptr_t kind = 0;
  std::uintptr_t argA = 0;     // create: width; set silent: the flag
  std::uintptr_t control = 0;  // the control the command is for
  std::uintptr_t argB = 0;     // create: height; navigate: the flags
  std::uintptr_t x = 0;
  std::uintptr_t y = 0;
  std::wstring url;            // navigate only
};
