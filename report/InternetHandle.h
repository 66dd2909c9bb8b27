#pragma once
#include <windows.h>
#include <wininet.h>

#include "UniqueHandle.h"

struct InternetHandleTraits {
  using Handle = HINTERNET;
  static Handle None() { return nullptr; }
  static void Free(Handle h) { InternetCloseHandle(h); }
};
using UniqueInternetHandle = UniqueHandle<InternetHandleTraits>;
