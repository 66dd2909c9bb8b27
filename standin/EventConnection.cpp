#include "EventConnection.h"

#include <exdisp.h>
#include <olectl.h>

#include "CallLog.h"
#include "ComText.h"

HRESULT EventConnection::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
  *out = static_cast<IConnectionPoint*>(this);
  AddRef();
  return S_OK;
}

HRESULT EventConnection::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = DIID_DWebBrowserEvents2;
  return S_OK;
}

HRESULT EventConnection::GetConnectionPointContainer(IConnectionPointContainer** out) {
  if (!out) return E_POINTER;
  *out = ComPtr<IConnectionPointContainer>::Copy(container_).Detach();
  return *out ? S_OK : E_UNEXPECTED;
}

HRESULT EventConnection::Advise(IUnknown* sink, DWORD* cookie) {
  LogCall("IConnectionPoint::Advise", Hex(sink));
  if (!sink || !cookie) return E_POINTER;
  *cookie = 0;
  ComPtr<IDispatch> dispatch;
  // A sink is asked for the event interface first, as the control does.
  if (FAILED(sink->QueryInterface(DIID_DWebBrowserEvents2, dispatch.PutVoid())) &&
      FAILED(sink->QueryInterface(IID_IDispatch, dispatch.PutVoid())))
    return CONNECT_E_CANNOTCONNECT;
  *cookie = nextCookie_++;
  sinks_.emplace_back(*cookie, std::move(dispatch));
  return S_OK;
}

HRESULT EventConnection::Unadvise(DWORD cookie) {
  LogCall("IConnectionPoint::Unadvise", std::to_wstring(cookie));
  for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
    if (it->first == cookie) {
      sinks_.erase(it);
      return S_OK;
    }
  }
  return CONNECT_E_NOCONNECTION;
}

HRESULT EventConnection::EnumConnections(IEnumConnections** out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

void EventConnection::Fire(DISPID id, DISPPARAMS& params) {
  // A sink may unadvise, or advise another, while it handles the event.
  std::vector<ComPtr<IDispatch>> sinks;
  for (const auto& entry : sinks_) sinks.push_back(entry.second);
  for (const ComPtr<IDispatch>& sink : sinks)
    sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

EventArgs::~EventArgs() {
  for (VARIANT& v : args_) VariantClear(&v);
  for (VARIANT& v : referred_) VariantClear(&v);
}

VARIANT& EventArgs::Next() {
  VARIANT& v = args_.emplace_back();
  VariantInit(&v);
  return v;
}

VARIANT& EventArgs::NextRef() {
  VARIANT& target = referred_.emplace_back();
  VariantInit(&target);
  VARIANT& v = Next();
  v.vt = VT_BYREF | VT_VARIANT;
  v.pvarVal = &target;
  return target;
}

void EventArgs::Dispatch(IDispatch* p) {
  VARIANT& v = Next();
  v.vt = VT_DISPATCH;
  v.pdispVal = ComPtr<IDispatch>::Copy(p).Detach();
}

void EventArgs::Text(const std::wstring& s) {
  VARIANT& v = Next();
  if (SUCCEEDED(OutBstr(s, &v.bstrVal))) v.vt = VT_BSTR;
}

void EventArgs::Long(long v) {
  VARIANT& a = Next();
  a.vt = VT_I4;
  a.lVal = v;
}

void EventArgs::RefText(const std::wstring& s) {
  VARIANT& target = NextRef();
  if (SUCCEEDED(OutBstr(s, &target.bstrVal))) target.vt = VT_BSTR;
}

void EventArgs::RefLong(long v) {
  VARIANT& target = NextRef();
  target.vt = VT_I4;
  target.lVal = v;
}

void EventArgs::RefEmpty() { (void)NextRef(); }

void EventArgs::RefBool(VARIANT_BOOL* flag) {
  VARIANT& v = Next();
  v.vt = VT_BYREF | VT_BOOL;
  v.pboolVal = flag;
}

void EventArgs::RefDispatch(IDispatch** slot) {
  VARIANT& v = Next();
  v.vt = VT_BYREF | VT_DISPATCH;
  v.ppdispVal = slot;
}

DISPPARAMS& EventArgs::Params() {
  // Shallow copies: the originals keep ownership.
  reversed_.assign(args_.rbegin(), args_.rend());
  params_.rgvarg = reversed_.data();
  params_.cArgs = static_cast<UINT>(reversed_.size());
  params_.rgdispidNamedArgs = nullptr;
  params_.cNamedArgs = 0;
  return params_;
}
