#include <gtest/gtest.h>

#include <string>

#include "FrameGeometry.h"
#include "LinkTable.h"
#include "LoginRules.h"

namespace {

constexpr wchar_t kGate[] = L"gate.example.test";

TEST(IsLoginUrl, MatchesTheMarkersCaseSensitively) {
  struct Row {
    const wchar_t* url;
    bool login;
  } rows[] = {
      {L"http://g.test/play?act=gamelogin&server_id=27&x=1", true},
      {L"http://gate.example.test/login", true},
      {L"http://g.test/play?ACT=GAMELOGIN&server_id=27", false},
      {L"http://GATE.EXAMPLE.TEST/login", false},
      {L"http://g.test/wd/index.html?act=gamelog", false},
      {L"", false},
  };
  for (const Row& row : rows) EXPECT_EQ(IsLoginUrl(row.url, kGate), row.login) << row.url;
  EXPECT_FALSE(IsLoginUrl(L"http://g.test/", L"")) << "an empty gate host matches nothing";
}

TEST(ExtractServerId, TakesTheTextUpToTheNextAmpersand) {
  struct Row {
    std::wstring url;
    bool found;
    std::wstring id;
  } rows[] = {
      {L"http://g.test/?act=gamelogin&server_id=27&x=1", true, L"27"},
      {L"http://g.test/?act=gamelogin&server_id=27", true, L"27"},
      {L"http://g.test/?server_id=&x=1", true, L""},
      {L"http://g.test/?server_id=5&server_id=6", true, L"5"},
      {L"http://g.test/?act=gamelogin", false, L"kept"},
      {L"http://g.test/?server_id=" + std::wstring(100, L'9'), true, std::wstring(63, L'9')},
  };
  for (const Row& row : rows) {
    std::wstring id = L"kept";
    EXPECT_EQ(ExtractServerId(row.url, &id), row.found) << row.url;
    EXPECT_EQ(id, row.id) << row.url;
  }
}

TEST(ExtractServerId, CutsALongIdAtACharacterBoundary) {
  const std::wstring pair = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
  std::wstring id;
  ASSERT_TRUE(ExtractServerId(L"?server_id=" + std::wstring(62, L'1') + pair, &id));
  EXPECT_EQ(id, std::wstring(62, L'1'));
}

TEST(IsUserPageUrl, LooksForTheUserPage) {
  EXPECT_TRUE(IsUserPageUrl(L"http://g.test/xf.html?x=1"));
  EXPECT_FALSE(IsUserPageUrl(L"http://g.test/XF.HTML"));
}

TEST(BuildLinkAddress, OpensTheAddressOfEachLink) {
  const LinkSites sites{L"http://game.test", L"http://forum.test", L"http://portal.test",
                        L"http://pay.test"};
  struct Row {
    int id;
    LinkUser user;
    std::wstring address;
  } rows[] = {
      {10020, {}, L"http://portal.test/kf.html"},
      {1005, {}, L"http://portal.test/kf.html"},
      {10021, {}, L"http://forum.test/"},
      {1004, {}, L"http://forum.test/"},
      {10022, {}, L"http://game.test/"},
      {1003, {}, L"http://game.test/"},
      {10024, {}, L"http://portal.test/my.php?act=fcm"},
      {10023, {}, L"http://pay.test/?game_id=1306&user_name="},
      {10023, {L"abcd1234", L""}, L"http://pay.test/?game_id=1306&user_name=abcd1234"},
      {10023, {L"abcd1234", L"27"}, L"http://pay.test/?game_id=1306&user_name=abcd1234&server_id=27"},
      {1006, {}, L"http://pay.test/?game_id=1306"},
      {1006, {L"", L"27"}, L"http://pay.test/?game_id=1306"},
      {1006, {L"abcd1234", L"27"}, L"http://pay.test/?game_id=1306&user_name=abcd1234"},
      {20, {L"abcd1234", L"27"}, L""},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(BuildLinkAddress(row.id, sites, row.user), row.address) << row.id;
  }
}

TEST(BuildLinkAddress, EncodesValuesSoTheyCannotAddParameters) {
  const LinkSites sites{L"http://g", L"http://f", L"http://p", L"http://pay"};
  EXPECT_EQ(BuildLinkAddress(10023, sites, {L"a&server_id=1", L"2 3#"}),
            L"http://pay/?game_id=1306&user_name=a%26server_id=1&server_id=2%203%23");
  EXPECT_EQ(BuildLinkAddress(1006, sites, {L"\u738b", L""}),
            L"http://pay/?game_id=1306&user_name=%E7%8E%8B");
}

TEST(FrameGeometry, CentresWithTruncatingDivision) {
  struct Row {
    int w, h;
    FrameSize size;
    int x, y;
  } rows[] = {
      {1920, 1040, {1207, 670}, 356, 185},
      {1921, 1041, {1207, 670}, 357, 185},
      {1024, 600, {1207, 670}, -91, -35},
      {1366, 728, {1020, 704}, 173, 12},
  };
  for (const Row& row : rows) {
    FramePoint p = CentreInArea(row.w, row.h, row.size);
    EXPECT_EQ(p.x, row.x) << row.w;
    EXPECT_EQ(p.y, row.y) << row.h;
  }
}

TEST(FrameGeometry, PicksTheMinimumTrackSizeTheScreenHolds) {
  struct Row {
    int w, h;
    bool game;
    int minW, minH;
  } rows[] = {
      {1920, 1080, true, 1020, 704}, {1020, 704, true, 1020, 704}, {1019, 704, true, 563, 378},
      {1920, 1080, false, 563, 378}, {563, 378, true, 563, 378},   {562, 378, false, 0, 0},
  };
  for (const Row& row : rows) {
    FrameSize s = MinimumTrackSize(row.w, row.h, row.game);
    EXPECT_EQ(s.width, row.minW) << row.w << "x" << row.h;
    EXPECT_EQ(s.height, row.minH) << row.w << "x" << row.h;
  }
}

TEST(FrameGeometry, PlacesTheTrayMenuAboveTheCursor) {
  struct Row {
    FramePoint cursor;
    int workW, workH, screenW, menuH;
    int x, y;
  } rows[] = {
      {{1800, 1070}, 1920, 1040, 1920, 48, 1770, 992},
      {{1800, 1000}, 1920, 1040, 1920, 48, 1770, 952},
      {{1880, 500}, 1860, 1080, 1920, 48, 1784, 452},
  };
  for (const Row& row : rows) {
    FramePoint p = TrayMenuOrigin(row.cursor, row.workW, row.workH, row.screenW, row.menuH);
    EXPECT_EQ(p.x, row.x);
    EXPECT_EQ(p.y, row.y);
  }
}

}  // namespace
