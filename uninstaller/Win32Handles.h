#pragma once
#include <windows.h>

#include <cstdio>

#include "UniqueHandle.h"

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle None() { return nullptr; }
  static void Free(Handle h) { RegCloseKey(h); }
};
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle None() { return INVALID_HANDLE_VALUE; }
  static void Free(Handle h) { FindClose(h); }
};
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;

struct CFileTraits {
  using Handle = std::FILE*;
  static Handle None() { return nullptr; }
  static void Free(Handle h) { std::fclose(h); }
};
using UniqueCFile = UniqueHandle<CFileTraits>;
