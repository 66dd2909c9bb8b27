#pragma once
#include <windows.h>

// What every method the stand-in does not play answers: logged, E_NOTIMPL.
HRESULT StubCall(const char* method);
