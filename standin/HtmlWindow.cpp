#include "HtmlWindow.h"

#include "CallLog.h"
#include "ComText.h"

namespace {

// The properties a host reads from a script error, by DISPID (index + 1).
const wchar_t* const kErrorProperties[] = {L"errorLine", L"errorCharacter", L"errorCode", L"errorMessage",
                                           L"errorUrl"};

}  // namespace

HRESULT HtmlWindow::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IDispatch && iid != IID_IHTMLFramesCollection2 && iid != IID_IHTMLWindow2)
    return E_NOINTERFACE;
  *out = static_cast<IHTMLWindow2*>(this);
  AddRef();
  return S_OK;
}

HRESULT HtmlWindow::get_event(IHTMLEventObj** p) {
  LogCall("IHTMLWindow2::get_event", event_ ? L"script error" : L"none");
  if (!p) return E_POINTER;
  *p = nullptr;
  if (event_) *p = ComPtr<IHTMLEventObj>(event_).Detach();
  return S_OK;
}

ComPtr<IHTMLEventObj> ScriptErrorEvent::Make(long line, long character, long code, std::wstring message,
                                         std::wstring url) {
  auto* e = new ScriptErrorEvent();
  e->line_ = line;
  e->character_ = character;
  e->code_ = code;
  e->message_ = std::move(message);
  e->url_ = std::move(url);
  return ComPtr<IHTMLEventObj>::Attach(e);
}

HRESULT ScriptErrorEvent::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IDispatch && iid != IID_IHTMLEventObj) return E_NOINTERFACE;
  *out = static_cast<IHTMLEventObj*>(this);
  AddRef();
  return S_OK;
}

HRESULT ScriptErrorEvent::GetTypeInfoCount(UINT* count) {
  if (count) *count = 0;
  return S_OK;
}

HRESULT ScriptErrorEvent::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT ScriptErrorEvent::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids) return E_POINTER;
  HRESULT hr = S_OK;
  for (UINT i = 0; i < count; ++i) {
    LogCall("IDispatch::GetIDsOfNames", L"script error " + Quoted(names[i]));
    ids[i] = DISPID_UNKNOWN;
    // Script names are matched without regard to case, as the control does.
    for (size_t k = 0; k < sizeof(kErrorProperties) / sizeof(kErrorProperties[0]); ++k)
      if (names[i] && lstrcmpiW(names[i], kErrorProperties[k]) == 0) ids[i] = static_cast<DISPID>(k + 1);
    if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
  }
  return hr;
}

HRESULT ScriptErrorEvent::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                 UINT*) {
  LogCall("IDispatch::Invoke", L"script error dispid=" + std::to_wstring(id));
  if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (!result) return E_POINTER;
  VariantInit(result);
  switch (id) {
    case 1:
    case 2:
    case 3:
      result->vt = VT_I4;
      result->lVal = id == 1 ? line_ : id == 2 ? character_ : code_;
      return S_OK;
    case 4:
    case 5:
      result->vt = VT_BSTR;
      return OutBstr(id == 4 ? message_ : url_, &result->bstrVal);
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}
