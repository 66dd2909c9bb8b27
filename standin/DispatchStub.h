#pragma once
#include <oaidl.h>

#include "CallLog.h"

// IDispatch of a document object that page script would reach by name:
// the stand-in plays no script, so no names are known.
template <typename Base>
class DispatchStub : public Base {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    for (UINT i = 0; i < count; ++i) {
      LogCall("IDispatch::GetIDsOfNames", Quoted(names ? names[i] : nullptr));
      if (ids) ids[i] = DISPID_UNKNOWN;
    }
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    LogCall("IDispatch::Invoke", L"dispid=" + std::to_wstring(id));
    return DISP_E_MEMBERNOTFOUND;
  }
};
