#include "TestHost.h"

#include <exdispid.h>
#include <shlguid.h>
#include <shobjidl.h>

#include <chrono>

#include "DocHostCommand.h"
#include "WinTestSupport.h"

namespace {

IUnknown* Identity(IUnknown* p) {
  if (!p) return nullptr;
  ComPtr<IUnknown> u;
  p->QueryInterface(IID_IUnknown, u.PutVoid());
  return u.Get();  // compared only, never called
}

std::wstring TextAt(const VARIANT& v) {
  const VARIANT* inner = v.vt == (VT_BYREF | VT_VARIANT) ? v.pvarVal : &v;
  return inner && inner->vt == VT_BSTR && inner->bstrVal ? inner->bstrVal : L"";
}

}  // namespace

// One visible window for every host of the run: Wine waits two seconds for
// the X server whenever a mapped top-level window is destroyed.
HWND SharedHostWindow() {
  static HWND window = CreateWindowExW(0, L"STATIC", L"standin host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                                       0, 0, 640, 480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  return window;
}

TestHost::TestHost() : window_(SharedHostWindow()) {}

TestHost::~TestHost() {
  if (object_) object_->Close(OLECLOSE_NOSAVE);
  browser_.Reset();
  object_.Reset();
  storage_.Reset();
}

HRESULT TestHost::Create() {
  HRESULT hr = StgCreateDocfile(nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE,
                                0, storage_.Put());
  if (FAILED(hr)) return hr;
  hr = OleCreate(CLSID_WebBrowser, IID_IOleObject, OLERENDER_DRAW, nullptr, static_cast<IOleClientSite*>(this),
                 storage_.Get(), object_.PutVoid());
  if (FAILED(hr)) return hr;
  browser_ = object_.As<IWebBrowser2>(IID_IWebBrowser2);
  if (!browser_) return E_NOINTERFACE;
  RECT rc;
  GetClientRect(window_, &rc);
  hr = object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(this), 0, window_, &rc);
  if (FAILED(hr)) return hr;
  ComPtr<IConnectionPointContainer> container = browser_.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
  if (!container) return E_NOINTERFACE;
  ComPtr<IConnectionPoint> point;
  hr = container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Put());
  if (FAILED(hr)) return hr;
  DWORD cookie = 0;
  return point->Advise(static_cast<IDispatch*>(this), &cookie);
}

HRESULT TestHost::Navigate(const wchar_t* url) {
  VARIANT target, flags;
  VariantInit(&target);
  VariantInit(&flags);
  target.vt = VT_BSTR;
  target.bstrVal = SysAllocString(url);
  flags.vt = VT_I4;
  flags.lVal = navNoHistory;
  HRESULT hr = browser_->Navigate2(&target, &flags, nullptr, nullptr, nullptr);
  VariantClear(&target);
  return hr;
}

ComPtr<IHTMLDocument2> TestHost::Document() const {
  ComPtr<IDispatch> d;
  if (!browser_ || FAILED(browser_->get_Document(d.Put())) || !d) return nullptr;
  return d.As<IHTMLDocument2>(IID_IHTMLDocument2);
}

HWND TestHost::ShellBrowserWindow() const {
  ComPtr<IServiceProvider> services = browser_.As<IServiceProvider>(IID_IServiceProvider);
  ComPtr<IOleWindow> window;
  HWND hwnd = nullptr;
  if (services && SUCCEEDED(services->QueryService(SID_SShellBrowser, IID_IOleWindow, window.PutVoid())) && window)
    window->GetWindow(&hwnd);
  return hwnd;
}

bool TestHost::WaitFor(DISPID id, int times, int timeoutMs) {
  return testsupport::PumpUntil([&] { return Count(id) >= times; }, timeoutMs);
}

int TestHost::Count(DISPID id) const {
  int n = 0;
  for (const ReceivedEvent& e : events) n += e.id == id;
  return n;
}

HRESULT TestHost::QueryInterface(REFIID iid, void** out) {
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2)
    *out = static_cast<IDispatch*>(this);
  else if (iid == IID_IOleClientSite)
    *out = static_cast<IOleClientSite*>(this);
  else if (iid == IID_IOleInPlaceSite && !activated_)
    *out = static_cast<IOleInPlaceSite*>(this);
  else if ((iid == IID_IOleInPlaceFrame || iid == IID_IOleInPlaceUIWindow) && !activated_)
    *out = static_cast<IOleInPlaceFrame*>(this);
  else if (iid == IID_IOleCommandTarget)
    *out = static_cast<IOleCommandTarget*>(this);
  else
    return E_NOINTERFACE;
  return S_OK;
}

HRESULT TestHost::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return E_NOTIMPL;
}

HRESULT TestHost::Invoke(DISPID id, REFIID riid, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
  if (riid != IID_NULL) return E_INVALIDARG;
  ReceivedEvent e;
  e.id = id;
  for (UINT i = 0; i < params->cArgs; ++i) {
    const VARIANT& v = params->rgvarg[i];
    e.types.push_back(v.vt);
    e.referredTypes.push_back(v.vt == (VT_BYREF | VT_VARIANT) && v.pvarVal ? v.pvarVal->vt : static_cast<VARTYPE>(VT_EMPTY));
  }
  VARIANT* a = params->rgvarg;
  UINT n = params->cArgs;
  switch (id) {
    case DISPID_BEFORENAVIGATE2:
      if (n < 7) break;
      e.source = Identity(a[6].vt == VT_DISPATCH ? a[6].pdispVal : nullptr);
      e.url = TextAt(a[5]);
      if (e.url == cancelNavigationTo && a[0].vt == (VT_BYREF | VT_BOOL)) *a[0].pboolVal = VARIANT_TRUE;
      break;
    case DISPID_NAVIGATECOMPLETE2:
    case DISPID_DOCUMENTCOMPLETE:
      if (n < 2) break;
      e.source = Identity(a[1].vt == VT_DISPATCH ? a[1].pdispVal : nullptr);
      e.url = TextAt(a[0]);
      break;
    case DISPID_TITLECHANGE:
      if (n >= 1) e.url = TextAt(a[0]);
      break;
    case DISPID_NEWWINDOW3:
      if (n < 5) break;
      e.url = TextAt(a[0]);
      e.context = TextAt(a[1]);
      e.number = a[2].vt == VT_I4 ? a[2].lVal : -1;
      if (cancelNewWindow && a[3].vt == (VT_BYREF | VT_BOOL)) *a[3].pboolVal = VARIANT_TRUE;
      break;
    case DISPID_NAVIGATEERROR:
      if (n < 5) break;
      e.source = Identity(a[4].vt == VT_DISPATCH ? a[4].pdispVal : nullptr);
      e.url = TextAt(a[3]);
      if (a[1].vt == (VT_BYREF | VT_VARIANT) && a[1].pvarVal->vt == VT_I4) e.number = a[1].pvarVal->lVal;
      break;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
  events.push_back(e);
  if (onEvent) onEvent(events.back());
  return S_OK;
}

HRESULT TestHost::GetMoniker(DWORD, DWORD, IMoniker** m) {
  *m = nullptr;
  return E_NOTIMPL;
}

HRESULT TestHost::GetContainer(IOleContainer** c) {
  *c = nullptr;
  return E_FAIL;
}

HRESULT TestHost::GetWindow(HWND* hwnd) {
  *hwnd = window_;
  return S_OK;
}

HRESULT TestHost::CanInPlaceActivate() {
  if (activated_) return S_FALSE;
  activated_ = true;
  return S_OK;
}

HRESULT TestHost::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                   LPOLEINPLACEFRAMEINFO info) {
  *frame = static_cast<IOleInPlaceFrame*>(this);
  *doc = nullptr;
  GetClientRect(window_, pos);
  GetClientRect(window_, clip);
  info->fMDIApp = FALSE;
  info->hwndFrame = GetParent(window_);
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

HRESULT TestHost::GetBorder(LPRECT r) {
  GetClientRect(window_, r);
  return S_OK;
}

HRESULT TestHost::QueryStatus(const GUID*, ULONG, OLECMD*, OLECMDTEXT*) { return OLECMDERR_E_NOTSUPPORTED; }

HRESULT TestHost::Exec(const GUID* group, DWORD id, DWORD, VARIANT* in, VARIANT* out) {
  if (!group || *group != kDocHostCommandHandler) return OLECMDERR_E_UNKNOWNGROUP;
  if (id != OLECMDID_SHOWSCRIPTERROR) return OLECMDERR_E_NOTSUPPORTED;
  ReadScriptError(in);
  if (out) {
    out->vt = VT_BOOL;
    out->boolVal = scriptErrorAnswer;
  }
  return S_OK;
}

// As the client does: the error document's window, its event, five properties by name.
void TestHost::ReadScriptError(VARIANT* in) {
  if (!in || in->vt != VT_UNKNOWN || !in->punkVal) return;
  ComPtr<IHTMLDocument2> doc;
  ComPtr<IHTMLWindow2> window;
  ComPtr<IHTMLEventObj> event;
  if (FAILED(in->punkVal->QueryInterface(IID_IHTMLDocument2, doc.PutVoid())) ||
      FAILED(doc->get_parentWindow(window.Put())) || FAILED(window->get_event(event.Put())) || !event)
    return;
  for (const wchar_t* name : {L"errorLine", L"errorCharacter", L"errorCode", L"errorMessage", L"errorUrl"}) {
    DISPID dispid = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    VARIANT result;
    VariantInit(&result);
    DISPPARAMS none = {};
    std::wstring text = L"?";
    if (SUCCEEDED(event->GetIDsOfNames(IID_NULL, names, 1, LOCALE_SYSTEM_DEFAULT, &dispid)) &&
        SUCCEEDED(event->Invoke(dispid, IID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                                nullptr, nullptr))) {
      VARIANT asText;
      VariantInit(&asText);
      if (SUCCEEDED(VariantChangeType(&asText, &result, 0, VT_BSTR))) text = asText.bstrVal;
      VariantClear(&asText);
    }
    VariantClear(&result);
    scriptErrorValues.push_back(text);
  }
}
