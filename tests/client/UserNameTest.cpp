#include <gtest/gtest.h>

#include <string>

#include "GameApp.h"

namespace {

TEST(SetUserName, KeepsAtMost63UnitsAndConvertsThatWhole) {
  const std::wstring pair = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
  struct Row {
    std::wstring name;
    std::wstring wide;
    std::size_t ansiLength;
  } rows[] = {
      {L"alice", L"alice", 5},
      {L"", L"", 0},
      {std::wstring(63, L'a'), std::wstring(63, L'a'), 63},
      {std::wstring(200, L'b'), std::wstring(63, L'b'), 63},
      {std::wstring(62, L'c') + pair, std::wstring(62, L'c'), 62},
  };
  for (const Row& row : rows) {
    gameApp app;
    EXPECT_EQ(ClientApp(), &app);
    app.SetUserName(row.name);
    EXPECT_EQ(app.UserName(), row.wide);
    EXPECT_EQ(app.AnsiUserName().size(), row.ansiLength);
  }
  EXPECT_EQ(ClientApp(), nullptr);
}

}  // namespace
