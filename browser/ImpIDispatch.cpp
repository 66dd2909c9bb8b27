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

HRESULT CImpIDispatch::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return S_OK;
}

void CImpIDispatch::AddName(DISPID id, const std::wstring& name) {
  std::lock_guard<std::mutex> guard(lock_);
  names_[id] = name;
}
