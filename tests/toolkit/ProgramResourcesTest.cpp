#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "WinTestSupport.h"

namespace {

std::wstring EnvPath(const wchar_t* name) {
  wchar_t buf[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableW(name, buf, MAX_PATH);
  std::wstring path = (n > 0 && n < MAX_PATH) ? buf : L"";
  // A Unix path from the build reaches Wine's drive Z:.
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
  for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
  return path;
}

struct HeaderIds {
  std::set<int> images;
  std::set<int> icons;
};

HeaderIds ReadHeader(const std::wstring& path) {
  HeaderIds ids;
  std::ifstream in(path.c_str());
  const std::regex define(R"(#define\s+(IDP|IDI)_\w+\s+(\d+))");
  std::string line;
  while (std::getline(in, line)) {
    std::smatch m;
    if (!std::regex_search(line, m, define)) continue;
    (m[1] == "IDP" ? ids.images : ids.icons).insert(std::stoi(m[2]));
  }
  return ids;
}

BOOL CALLBACK CollectId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) {
  if (IS_INTRESOURCE(name)) {
    reinterpret_cast<std::set<int>*>(param)->insert(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
  }
  return TRUE;
}

std::set<int> ResourceIds(HMODULE module, LPCWSTR type) {
  std::set<int> ids;
  EnumResourceNamesW(module, type, &CollectId, reinterpret_cast<LONG_PTR>(&ids));
  return ids;
}

TEST(ProgramResources, EachProgramCarriesExactlyTheIdsOfItsHeader) {
  struct Row {
    const wchar_t* program;
    const wchar_t* header;
  } rows[] = {
      {L"\\client\\vd.exe", L"\\resources\\client\\client_resources.h"},
      {L"\\uninstaller\\vd_uninstall.exe", L"\\resources\\uninstaller\\uninstaller_resources.h"},
  };
  for (const Row& row : rows) {
    const HeaderIds expected = ReadHeader(EnvPath(L"VD_SOURCE_DIR") + row.header);
    ASSERT_FALSE(expected.images.empty()) << "header not read";
    const std::wstring program = EnvPath(L"VD_BINARY_DIR") + row.program;
    HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << "cannot open the built program";
    EXPECT_EQ(ResourceIds(module, L"PNG"), expected.images);
    EXPECT_EQ(ResourceIds(module, RT_GROUP_ICON), expected.icons);
    FreeLibrary(module);
  }
}

}  // namespace
