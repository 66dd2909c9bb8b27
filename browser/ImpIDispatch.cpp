#include "ImpIDispatch.h"

HRESULT CImpIDispatch::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (riid == IID_IUnknown || riid == IID_IDispatch) {
    *object = static_cast<IDispatch*>(this);
    return S_OK;
  }
  // E_FAIL rather than E_NOINTERFACE: script engines then stop asking for
  // IDispatchEx and call plain IDispatch.
  return E_FAIL;
}

ULONG CImpIDispatch::AddRef() { return static_cast<ULONG>(++refCount_); }

ULONG CImpIDispatch::Release() { return static_cast<ULONG>(--refCount_); }

HRESULT CImpIDispatch::GetTypeInfoCount(UINT*) { return E_FAIL; }

HRESULT CImpIDispatch::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_FAIL; }

HRESULT CImpIDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (count > 0 && (!names || !ids)) return E_POINTER;
  std::lock_guard<std::mutex> guard(lock_);
  HRESULT result = S_OK;
  for (UINT i = 0; i < count; ++i) {
    ids[i] = DISPID_UNKNOWN;
    for (const auto& [id, name] : names_) {
      if (names[i] && name == names[i]) {
        ids[i] = id;
        break;
      }
    }
    if (ids[i] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
  }
  return result;
}

HRESULT CImpIDispatch::Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params,
                              VARIANT* result, EXCEPINFO*, UINT*) {
  if (!handler_) return S_OK;
  std::vector<std::wstring> arguments;
  if (params) {
    // Script passes its arguments last first.
    for (UINT i = params->cArgs; i-- > 0;) {
      const VARIANT& v = params->rgvarg[i];
      arguments.emplace_back(v.vt == VT_BSTR && v.bstrVal ? v.bstrVal : L"");
    }
  }
  std::wstring text;
  try {
    handler_(text, member, arguments);
  } catch (...) {
    return E_FAIL;
  }
  if (result) {
    VariantClear(result);
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocString(text.c_str());
  }
  return S_OK;
}

void CImpIDispatch::AddName(DISPID id, const std::wstring& name) {
  std::lock_guard<std::mutex> guard(lock_);
  names_[id] = name;
}
