#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What the stand-in browser plays: pages chosen by the URL the host (or a page's
// own script) navigates to, their document content and what their script does
// after the page has loaded.

struct ElementSpec {
  std::wstring id;
  std::optional<std::wstring> text;  // innerText
  std::optional<std::wstring> html;  // innerHTML
  std::vector<std::pair<std::wstring, std::wstring>> attributes;
};

enum class ActionKind { NewWindow, ScriptError, Navigate };

struct ActionSpec {
  ActionKind kind = ActionKind::Navigate;
  int delayMs = 0;  // wait before this action, counted from the previous one
  std::wstring url;  // NewWindow, Navigate
  std::uint32_t flags = 0;  // NewWindow: NWMF values
  long errorLine = 0, errorCharacter = 0, errorCode = 0;  // ScriptError
  std::wstring message;  // ScriptError
};

struct PageSpec {
  std::wstring pattern;  // '*' stands for any run of characters
  std::wstring title;
  std::wstring body;  // body innerHTML
  std::vector<ElementSpec> elements;
  std::vector<std::wstring> frames;  // frame URLs, loaded in this order
  bool flash = false;
  int loadMs = 0;  // between BeforeNavigate2 and the page's completion
  std::optional<long> errorStatus;  // the navigation fails with this status
  std::vector<ActionSpec> actions;
};

struct Script {
  std::vector<PageSpec> pages;
};

struct ScriptProblem {
  int line = 0;
  std::string message;
};

struct ParsedScript {
  Script script;
  std::vector<ScriptProblem> problems;  // lines that were skipped, and why
};

// Lines are UTF-8; a line that cannot be understood is skipped and reported.
[[nodiscard]] ParsedScript ParseScript(std::string_view text);

[[nodiscard]] bool UrlMatches(std::wstring_view pattern, std::wstring_view url);

// The first page whose pattern matches, or null: such a URL loads an empty document.
[[nodiscard]] const PageSpec* FindPage(const Script& script, std::wstring_view url);

[[nodiscard]] std::wstring Utf8ToWide(std::string_view text);
