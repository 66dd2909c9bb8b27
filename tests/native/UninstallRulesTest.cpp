#include <gtest/gtest.h>

#include <string>

#include "BatchText.h"
#include "InstallFolderRules.h"
#include "PathRules.h"
#include "ProfileInt.h"
#include "TreeEntry.h"

namespace {

using namespace uninstall;

TEST(SelfDeleteBatch, TextIsFiveLinesEndingInAZeroByte) {
  struct Case {
    const char* folder;
    std::string expected;
  } cases[] = {
      {"C:\\Games\\Valdris3",
       std::string("@echo off\r\nchoice /t 3 /d y /n > nul\r\n@echo off\r\n"
                   "DEL /F /A /Q \\\\?\\\"C:\\Games\\Valdris3\"\r\n"
                   "RD /S /Q \\\\?\\\"C:\\Games\\Valdris3\"") + std::string(1, '\0')},
      {"D:\\100%\\game",
       std::string("@echo off\r\nchoice /t 3 /d y /n > nul\r\n@echo off\r\n"
                   "DEL /F /A /Q \\\\?\\\"D:\\100%%\\game\"\r\n"
                   "RD /S /Q \\\\?\\\"D:\\100%%\\game\"") + std::string(1, '\0')},
  };
  for (const auto& c : cases) {
    auto text = BuildSelfDeleteBatchText(c.folder);
    ASSERT_TRUE(text) << c.folder;
    EXPECT_EQ(*text, c.expected) << c.folder;
    EXPECT_EQ(text->back(), '\0');
    EXPECT_NE(text->substr(text->size() - 3, 2), "\r\n");
  }
}

TEST(SelfDeleteBatch, TextThatWouldNotFitIsNotBuilt) {
  // The fixed text plus the folder twice must stay below 1024 bytes.
  const std::size_t fixedBytes = BuildSelfDeleteBatchText("")->size() - 1;
  const std::size_t longest = (1023 - fixedBytes) / 2;
  EXPECT_TRUE(BuildSelfDeleteBatchText(std::string(longest, 'a')));
  EXPECT_FALSE(BuildSelfDeleteBatchText(std::string(longest + 1, 'a')));
  EXPECT_FALSE(BuildSelfDeleteBatchText(std::string(300, '%')));
}

TEST(SelfDeleteBatch, PathFitsTwoHundredSixtyBytesOrIsNotMade) {
  EXPECT_EQ(BatchFilePath("C:\\Games\\Valdris3"), "C:\\Games\\Valdris3\\korvan_uninstall.bat");
  const std::string suffix = "\\korvan_uninstall.bat";
  EXPECT_TRUE(BatchFilePath(std::string(259 - suffix.size(), 'a')));
  EXPECT_FALSE(BatchFilePath(std::string(260 - suffix.size(), 'a')));
}

TEST(PathRules, FolderOfModulePath) {
  struct Case {
    const wchar_t* module;
    const wchar_t* folder;
  } cases[] = {
      {L"C:\\Games\\Valdris3\\vd_uninstall.exe", L"C:\\Games\\Valdris3"},
      {L"C:\\vd_uninstall.exe", L"C:"},
      {L"vd_uninstall.exe", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(FolderOfModulePath(c.module), c.folder) << c.module;
}

TEST(PathRules, JoinPathIsBoundedToTwoHundredSixtyCharacters) {
  EXPECT_EQ(JoinPath(L"C:\\Games", L"Config.ini"), L"C:\\Games\\Config.ini");
  EXPECT_TRUE(JoinPath(std::wstring(250, L'a'), L"12345678"));
  EXPECT_FALSE(JoinPath(std::wstring(250, L'a'), L"123456789"));
}

TEST(PathRules, SettingsIntegersReadLikeWtoi) {
  struct Case {
    const wchar_t* text;
    int value;
  } cases[] = {
      {L"12ab", 12},         {L"7", 7},   {L"", 0},   {L"abc", 0},
      {L"  -5x", -5},        {L"+3", 3},  {L"0012", 12},
      {L"99999999999", 2147483647}, {L"-99999999999", -2147483647 - 1},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseProfileInt(c.text), c.value) << c.text;
}

TEST(PathRules, TaskbarUnpinOnlyUpToSixPointOne) {
  struct Case {
    unsigned long major, minor;
    bool unpin;
  } cases[] = {
      {5, 1, true}, {6, 0, true}, {6, 1, true}, {6, 2, false}, {6, 3, false}, {10, 0, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(UsesTaskbarUnpin(c.major, c.minor), c.unpin) << c.major << "." << c.minor;
}

TEST(InstallFolder, OnlyAnInstallationOutsideGuardedFoldersIsDeleted) {
  const std::vector<std::wstring> guarded = {
      L"C:\\users\\root",          L"C:\\users\\root\\Desktop", L"C:\\users\\root\\Documents",
      L"C:\\users\\root\\Downloads", L"C:\\windows",             L"C:\\Program Files",
      L"C:\\Program Files (x86)\\"};
  struct Case {
    const wchar_t* folder;
    bool holdsClient;
    bool deletable;
  } cases[] = {
      {L"C:\\Games\\Valdris3", true, true},
      {L"C:\\Program Files\\Valdris3", true, true},
      {L"C:\\users\\root\\AppData\\Local\\Valdris3", true, true},
      {L"C:\\Games\\Valdris3", false, false},
      {L"C:\\", true, false},
      {L"C:", true, false},
      {L"d:/", true, false},
      {L"\\\\server\\share", true, false},
      {L"\\\\server\\share\\", true, false},
      {L"\\\\?\\C:\\", true, false},
      {L"\\\\server\\share\\games", true, true},
      {L"C:\\Users\\ROOT", true, false},
      {L"c:\\users\\root\\desktop\\", true, false},
      {L"C:\\users\\root\\Documents", true, false},
      {L"C:\\users\\root\\Downloads", true, false},
      {L"C:\\users", true, false},
      {L"C:\\WINDOWS", true, false},
      {L"C:\\Program Files", true, false},
      {L"C:\\Program Files (x86)", true, false},
      {L"C:\\Program", true, true},
      {L"C:\\Games\\..\\windows", true, false},
      {L"", true, false},
      {L"Valdris3", true, false},
  };
  for (const auto& c : cases) {
    FolderFacts facts{c.folder, c.holdsClient, guarded};
    EXPECT_EQ(IsDeletableInstallation(facts), c.deletable) << c.folder;
  }
}

TEST(TreeEntry, LinksAreRemovedNotFollowed) {
  struct Case {
    const wchar_t* name;
    std::uint32_t attributes;
    EntryAction action;
  } cases[] = {
      {L".", kAttributeDirectory, EntryAction::Skip},
      {L"..", kAttributeDirectory, EntryAction::Skip},
      {L"data", kAttributeDirectory, EntryAction::Descend},
      {L"data", kAttributeDirectory | 0x1 | 0x2 | 0x20, EntryAction::Descend},
      {L"junction", kAttributeDirectory | kAttributeReparsePoint, EntryAction::RemoveLink},
      {L"vd.exe", 0x20, EntryAction::DeleteFile},
      {L"readonly.dat", 0x1, EntryAction::DeleteFile},
      {L"filelink", kAttributeReparsePoint, EntryAction::DeleteFile},
      {L"...", 0x20, EntryAction::DeleteFile},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassifyEntry(c.name, c.attributes), c.action) << c.name;
}

}  // namespace
