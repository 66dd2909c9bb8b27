#include "StubCall.h"

#include "CallLog.h"

HRESULT StubCall(const char* method) {
  LogCall(method, L"not implemented");
  return E_NOTIMPL;
}
