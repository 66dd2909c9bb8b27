#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzInput.h"
#include "Playback.h"
#include "Script.h"

namespace {

// Wildcard matching by the textbook table, to hold the real matcher against.
bool ReferenceMatch(std::wstring_view pattern, std::wstring_view url) {
  std::vector<std::vector<bool>> m(pattern.size() + 1, std::vector<bool>(url.size() + 1, false));
  m[0][0] = true;
  for (std::size_t p = 1; p <= pattern.size(); ++p) {
    for (std::size_t u = 0; u <= url.size(); ++u) {
      if (pattern[p - 1] == L'*')
        m[p][u] = m[p - 1][u] || (u > 0 && m[p][u - 1]);
      else
        m[p][u] = u > 0 && m[p - 1][u - 1] && pattern[p - 1] == url[u - 1];
    }
  }
  return m[pattern.size()][url.size()];
}

std::int64_t TotalDelay(const std::vector<PlannedEvent>& events) {
  std::int64_t total = 0;
  for (const PlannedEvent& e : events) {
    FUZZ_CHECK(e.delayMs >= 0);
    total += e.delayMs;
  }
  return total;
}

std::vector<PlannedEvent> Drain(Playback& playback) {
  std::vector<PlannedEvent> events;
  while (!playback.Empty()) events.push_back(playback.Pop());
  return events;
}

void CheckPlayback(const ScriptPage& page) {
  const std::vector<PlannedEvent> plan = PlanNavigation(&page, page.pattern);
  FUZZ_CHECK(!plan.empty() && plan.front().kind == EventKind::BeforeNavigate);
  const std::int64_t total = TotalDelay(plan);

  // Dropping events hands their delay on, so nothing that stays moves earlier
  // or later, except that a dropped tail takes its delay with it.
  Playback playback;
  playback.Start(plan);
  playback.StopScripts();
  const std::vector<PlannedEvent> kept = Drain(playback);
  FUZZ_CHECK(TotalDelay(kept) <= total);
  for (const PlannedEvent& e : kept)
    FUZZ_CHECK(e.kind != EventKind::NewWindow && e.kind != EventKind::ScriptError && e.kind != EventKind::Navigate);

  for (std::size_t frame = 0; frame < page.frames.size(); ++frame) {
    playback.Start(plan);
    playback.CancelNavigation(static_cast<int>(frame));
    for (const PlannedEvent& e : Drain(playback)) FUZZ_CHECK(e.frame != static_cast<int>(frame));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ParsedScript parsed = ParseScript(text);

  int lines = 1;
  for (char c : text) lines += c == '\n';
  int previous = 0;
  for (const ScriptProblem& p : parsed.problems) {
    FUZZ_CHECK(p.line > previous && p.line <= lines);
    FUZZ_CHECK(!p.message.empty());
    previous = p.line;
  }

  for (const ScriptPage& page : parsed.script.pages) {
    FUZZ_CHECK(!page.pattern.empty());
    FUZZ_CHECK(page.loadMs >= 0);
    for (const ScriptAction& a : page.actions) FUZZ_CHECK(a.delayMs >= 0);
    for (const ScriptElement& e : page.elements) FUZZ_CHECK(!e.id.empty());
    // A page is found by its own pattern, read as an address.
    FUZZ_CHECK(UrlMatches(page.pattern, page.pattern));
    FUZZ_CHECK(FindPage(parsed.script, page.pattern) != nullptr);
    CheckPlayback(page);
  }

  // The first line against the second: a pattern and an address.
  const std::size_t cut = text.find('\n');
  if (cut != std::string_view::npos) {
    const std::wstring pattern = Utf8ToWide(text.substr(0, cut));
    const std::wstring url = Utf8ToWide(text.substr(cut + 1, 256));
    if (pattern.size() <= 64) FUZZ_CHECK(UrlMatches(pattern, url) == ReferenceMatch(pattern, url));
  }

  for (wchar_t c : Utf8ToWide(text)) {
    FUZZ_CHECK(c != 0 || text.find('\0') != std::string_view::npos);
    FUZZ_CHECK(static_cast<std::uint32_t>(c) <= 0x10FFFF);
  }
  return 0;
}
