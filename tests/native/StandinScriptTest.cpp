#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Playback.h"
#include "Script.h"

namespace {

TEST(StandinScript, ReadsEveryKindOfLine) {
  ParsedScript parsed = ParseScript(
      "\xEF\xBB\xBF# a comment\n"
      "page http://game/wd/index.html*\r\n"
      "  title \xE7\x99\xBB\xE5\xBD\x95\n"
      "  body <p>one\\ntwo</p>\n"
      "  element login_user text alice smith\n"
      "  element login_user html <b>alice</b>\n"
      "  element pwd attr value secret word\n"
      "  frame http://game/ad.html\n"
      "  flash\n"
      "  load 40\n"
      "  wait 100\n"
      "  wait 50\n"
      "  newwindow http://portal/kf.html 0x6\n"
      "  scripterror 12 5 -2146827850 Object expected\n"
      "  wait 30\n"
      "  navigate http://game/next.html\n"
      "page http://bad/*\n"
      "  error 404\n");
  ASSERT_TRUE(parsed.problems.empty()) << parsed.problems[0].line << ": " << parsed.problems[0].message;
  ASSERT_EQ(parsed.script.pages.size(), 2u);
  const PageSpec& p = parsed.script.pages[0];
  EXPECT_EQ(p.pattern, L"http://game/wd/index.html*");
  EXPECT_EQ(p.title, L"\x767B\x5F55");
  EXPECT_EQ(p.body, L"<p>one\ntwo</p>");
  ASSERT_EQ(p.elements.size(), 2u);
  EXPECT_EQ(p.elements[0].id, L"login_user");
  EXPECT_EQ(p.elements[0].text, std::wstring(L"alice smith"));
  EXPECT_EQ(p.elements[0].html, std::wstring(L"<b>alice</b>"));
  ASSERT_EQ(p.elements[1].attributes.size(), 1u);
  EXPECT_EQ(p.elements[1].attributes[0].first, L"value");
  EXPECT_EQ(p.elements[1].attributes[0].second, L"secret word");
  EXPECT_EQ(p.frames, std::vector<std::wstring>{L"http://game/ad.html"});
  EXPECT_TRUE(p.flash);
  EXPECT_EQ(p.loadMs, 40);
  ASSERT_EQ(p.actions.size(), 3u);
  EXPECT_EQ(p.actions[0].kind, ActionKind::NewWindow);
  EXPECT_EQ(p.actions[0].delayMs, 150);
  EXPECT_EQ(p.actions[0].flags, 6u);
  EXPECT_EQ(p.actions[1].kind, ActionKind::ScriptError);
  EXPECT_EQ(p.actions[1].delayMs, 0);
  EXPECT_EQ(p.actions[1].errorLine, 12);
  EXPECT_EQ(p.actions[1].errorCharacter, 5);
  EXPECT_EQ(p.actions[1].errorCode, -2146827850L);
  EXPECT_EQ(p.actions[1].message, L"Object expected");
  EXPECT_EQ(p.actions[2].kind, ActionKind::Navigate);
  EXPECT_EQ(p.actions[2].delayMs, 30);
  EXPECT_EQ(p.actions[2].url, L"http://game/next.html");
  EXPECT_EQ(parsed.script.pages[1].errorStatus, 404L);
}

TEST(StandinScript, SkipsBadLinesAndSaysWhere) {
  struct Case {
    const char* line;
    const char* problem;
  } cases[] = {
      {"title before any page", "a page line must come first"},
      {"page", "page needs a URL pattern"},
      {"bogus 1", "unknown keyword"},
      {"load soon", "load needs milliseconds"},
      {"wait -5", "wait needs milliseconds"},
      {"error", "error needs a status number"},
      {"element id", "element needs an id and text, html or attr"},
      {"element id value x", "element needs text, html or attr"},
      {"newwindow", "newwindow needs a URL"},
      {"newwindow http://x often", "newwindow flags must be a number"},
      {"scripterror 1 two 3 msg", "scripterror needs line, character and code numbers"},
      {"frame", "frame needs a URL"},
      {"flash now", "flash takes nothing"},
  };
  for (const Case& c : cases) {
    std::string text = std::string(c.line) == "title before any page" ? "" : "page http://a/\n";
    text += c.line;
    ParsedScript parsed = ParseScript(text);
    ASSERT_EQ(parsed.problems.size(), 1u) << c.line;
    EXPECT_EQ(parsed.problems[0].message, c.problem) << c.line;
    EXPECT_EQ(parsed.problems[0].line, text.find('\n') == std::string::npos ? 1 : 2) << c.line;
  }
}

TEST(StandinScript, DecodesUtf8AndReplacesBrokenBytes) {
  struct Case {
    const char* utf8;
    std::wstring wide;
  } cases[] = {
      {"abc", L"abc"},
      {"\xC3\xA9", L"\xE9"},
      {"\xE5\x85\xB3\xE9\x97\xAD", L"\x5173\x95ED"},
      {"\xC3", L"\xFFFD"},
      {"\xE5\x85", L"\xFFFD\xFFFD"},
      {"\xC0\xAF", L"\xFFFD\xFFFD"},
      {"\xFFx", L"\xFFFDx"},
      {"\xED\xA0\x80", L"\xFFFD\xFFFD\xFFFD"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToWide(c.utf8), c.wide) << c.utf8;
  std::wstring emoji = Utf8ToWide("\xF0\x9F\x98\x80");
  EXPECT_EQ(emoji.size(), sizeof(wchar_t) == 2 ? 2u : 1u);
}

TEST(StandinScript, MatchesUrlPatterns) {
  struct Case {
    const wchar_t* pattern;
    const wchar_t* url;
    bool match;
  } cases[] = {
      {L"http://a/x.html", L"http://a/x.html", true},
      {L"http://a/x.html", L"http://a/x.html?q=1", false},
      {L"http://a/x.html*", L"http://a/x.html?q=1", true},
      {L"*xf.html*", L"http://a/b/xf.html?u=1", true},
      {L"*act=gamelogin*server_id=*", L"http://a/?act=gamelogin&server_id=27", true},
      {L"*act=gamelogin*server_id=*", L"http://a/?server_id=27&act=gamelogin", false},
      {L"*", L"", true},
      {L"HTTP://A/*", L"http://a/", false},
  };
  for (const Case& c : cases) EXPECT_EQ(UrlMatches(c.pattern, c.url), c.match) << c.pattern << " " << c.url;
}

TEST(StandinScript, FirstMatchingPageWins) {
  ParsedScript parsed = ParseScript("page http://a/one\ntitle 1\npage http://a/*\ntitle 2\n");
  EXPECT_EQ(FindPage(parsed.script, L"http://a/one")->title, L"1");
  EXPECT_EQ(FindPage(parsed.script, L"http://a/two")->title, L"2");
  EXPECT_EQ(FindPage(parsed.script, L"http://b/"), nullptr);
}

struct Fired {
  EventKind kind;
  int frame;
  std::wstring url;
  int delayMs;
  bool operator==(const Fired& o) const {
    return kind == o.kind && frame == o.frame && url == o.url && delayMs == o.delayMs;
  }
};

std::vector<Fired> Drain(Playback& playback) {
  std::vector<Fired> out;
  while (!playback.Empty()) {
    PlannedEvent e = playback.Pop();
    out.push_back({e.kind, e.frame, e.url, e.delayMs});
  }
  return out;
}

const PageSpec& PageWithFrames() {
  static const ParsedScript parsed = ParseScript(
      "page http://a/\n title T\n frame http://a/f0\n frame http://a/f1\n load 20\n"
      " wait 100\n newwindow http://b/\n navigate http://a/next\n");
  return parsed.script.pages[0];
}

TEST(StandinPlayback, FiresTopFramesThenScriptInTheControlsOrder) {
  using K = EventKind;
  Playback playback;
  playback.Start(PlanNavigation(&PageWithFrames(), L"http://a/"));
  std::vector<Fired> expected = {
      {K::BeforeNavigate, kTopLevel, L"http://a/", 0},   {K::NavigateComplete, kTopLevel, L"http://a/", 20},
      {K::TitleChange, kTopLevel, L"T", 0},              {K::BeforeNavigate, 0, L"http://a/f0", 0},
      {K::NavigateComplete, 0, L"http://a/f0", 0},       {K::DocumentComplete, 0, L"http://a/f0", 0},
      {K::BeforeNavigate, 1, L"http://a/f1", 0},         {K::NavigateComplete, 1, L"http://a/f1", 0},
      {K::DocumentComplete, 1, L"http://a/f1", 0},       {K::DocumentComplete, kTopLevel, L"http://a/", 0},
      {K::NewWindow, kTopLevel, L"http://b/", 100},      {K::Navigate, kTopLevel, L"http://a/next", 0},
  };
  EXPECT_EQ(Drain(playback), expected);
}

TEST(StandinPlayback, UnscriptedAndFailingNavigations) {
  using K = EventKind;
  Playback playback;
  playback.Start(PlanNavigation(nullptr, L"http://x/"));
  std::vector<Fired> empty = {{K::BeforeNavigate, kTopLevel, L"http://x/", 0},
                              {K::NavigateComplete, kTopLevel, L"http://x/", 0},
                              {K::TitleChange, kTopLevel, L"http://x/", 0},
                              {K::DocumentComplete, kTopLevel, L"http://x/", 0}};
  EXPECT_EQ(Drain(playback), empty);

  ParsedScript bad = ParseScript("page http://bad/\nerror -2146697211\nload 5\nnavigate http://a/\n");
  std::vector<PlannedEvent> plan = PlanNavigation(&bad.script.pages[0], L"http://bad/");
  ASSERT_EQ(plan.size(), 2u);
  EXPECT_EQ(plan[1].kind, K::NavigateError);
  EXPECT_EQ(plan[1].status, -2146697211L);
  EXPECT_EQ(plan[1].delayMs, 5);
}

TEST(StandinPlayback, CancelDropsOnlyWhatItStops) {
  using K = EventKind;
  Playback playback;
  playback.Start(PlanNavigation(&PageWithFrames(), L"http://a/"));
  for (int i = 0; i < 4; ++i) (void)playback.Pop();  // up to the first frame's BeforeNavigate2
  playback.CancelNavigation(0);
  std::vector<Fired> rest = Drain(playback);
  ASSERT_EQ(rest.size(), 6u);
  EXPECT_EQ(rest[0], (Fired{K::BeforeNavigate, 1, L"http://a/f1", 0}));
  EXPECT_EQ(rest[4].kind, K::NewWindow);

  playback.Start(PlanNavigation(&PageWithFrames(), L"http://a/"));
  (void)playback.Pop();
  playback.CancelNavigation(kTopLevel);
  EXPECT_TRUE(playback.Empty());

  playback.Start(PlanNavigation(&PageWithFrames(), L"http://a/"));
  for (int i = 0; i < 10; ++i) (void)playback.Pop();
  playback.StopScripts();
  EXPECT_TRUE(playback.Empty());
}

TEST(StandinPlayback, DroppedEventsHandTheirDelayOn) {
  ParsedScript parsed = ParseScript("page http://a/\nframe http://a/f\nload 0\n");
  std::vector<PlannedEvent> plan = PlanNavigation(&parsed.script.pages[0], L"http://a/");
  plan[4].delayMs = 70;  // the frame's NavigateComplete2
  Playback playback;
  playback.Start(std::move(plan));
  for (int i = 0; i < 4; ++i) (void)playback.Pop();
  playback.CancelNavigation(0);
  ASSERT_FALSE(playback.Empty());
  EXPECT_EQ(playback.NextDelayMs(), 70);
  EXPECT_EQ(playback.Pop().kind, EventKind::DocumentComplete);
}

}  // namespace
