#include "StandinBrowser.h"

#include <exdisp.h>
#include <exdispid.h>
#include <docobj.h>
#include <mshtmhst.h>
#include <olectl.h>
#include <shlguid.h>
#include <shobjidl.h>

#include "CallLog.h"
#include "DocHostCommand.h"
#include "ComText.h"
#include "ScriptFile.h"

namespace {

// What the control reports: activate when visible, inside-out, set the client site first.
constexpr DWORD kMiscStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT |
                              OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE;

std::wstring RectText(LPCRECT r) {
  if (!r) return L"null";
  return std::to_wstring(r->left) + L"," + std::to_wstring(r->top) + L"," + std::to_wstring(r->right) + L"," +
         std::to_wstring(r->bottom);
}

// A frame of a page: the object its events carry.
class FrameObject final : public DispatchStub<IDispatch>, public RefCounted {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
  ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }
};

}  // namespace

HRESULT CreateStandinBrowser(REFIID iid, void** out) {
  ComPtr<StandinBrowser> browser = ComPtr<StandinBrowser>::Attach(new (std::nothrow) StandinBrowser());
  if (!browser) return E_OUTOFMEMORY;
  return browser->QueryInterface(iid, out);
}

StandinBrowser::StandinBrowser() : script_(LoadScriptFromEnvironment()) {
  events_ = ComPtr<EventConnection>::Attach(new EventConnection(this));
  if (!timer_.Create([this] { OnTimer(); })) LogCall("StandinBrowser", L"no timer window: no events will fire");
}

StandinBrowser::~StandinBrowser() {
  LogCall("StandinBrowser::~StandinBrowser");
  events_->Detach();
  timer_.Disarm();
  page_.Destroy();
}

HRESULT StandinBrowser::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleObject)
    *out = static_cast<IOleObject*>(this);
  else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject)
    *out = static_cast<IOleInPlaceObject*>(this);
  else if (iid == IID_IOleInPlaceActiveObject)
    *out = static_cast<IOleInPlaceActiveObject*>(this);
  else if (iid == IID_IPersist || iid == IID_IPersistStorage)
    *out = static_cast<IPersistStorage*>(this);
  else if (iid == IID_IDispatch || iid == IID_IWebBrowser || iid == IID_IWebBrowserApp || iid == IID_IWebBrowser2)
    *out = static_cast<IWebBrowser2*>(this);
  else if (iid == IID_IConnectionPointContainer)
    *out = static_cast<IConnectionPointContainer*>(this);
  else if (iid == IID_IServiceProvider)
    *out = static_cast<IServiceProvider*>(this);
  if (!*out) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

// --- IOleObject ---

HRESULT StandinBrowser::SetClientSite(IOleClientSite* site) {
  LogCall("IOleObject::SetClientSite", Hex(site));
  clientSite_ = ComPtr<IOleClientSite>::Copy(site);
  return S_OK;
}

HRESULT StandinBrowser::GetClientSite(IOleClientSite** site) {
  LogCall("IOleObject::GetClientSite");
  if (!site) return E_POINTER;
  *site = ComPtr<IOleClientSite>(clientSite_).Detach();
  return S_OK;
}

HRESULT StandinBrowser::SetHostNames(LPCOLESTR app, LPCOLESTR object) {
  LogCall("IOleObject::SetHostNames", Quoted(app) + L" " + Quoted(object));
  return S_OK;
}

HRESULT StandinBrowser::Close(DWORD saveOption) {
  LogCall("IOleObject::Close", std::to_wstring(saveOption));
  InPlaceDeactivate();
  playback_.Clear();
  timer_.Disarm();
  return S_OK;
}

HRESULT StandinBrowser::SetMoniker(DWORD, IMoniker*) { return StubCall("IOleObject::SetMoniker"); }

HRESULT StandinBrowser::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return StubCall("IOleObject::GetMoniker");
}

HRESULT StandinBrowser::InitFromData(IDataObject*, BOOL, DWORD) { return StubCall("IOleObject::InitFromData"); }

HRESULT StandinBrowser::GetClipboardData(DWORD, IDataObject** data) {
  if (data) *data = nullptr;
  return StubCall("IOleObject::GetClipboardData");
}

HRESULT StandinBrowser::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG index, HWND parent, LPCRECT rect) {
  LogCall("IOleObject::DoVerb", L"verb=" + std::to_wstring(verb) + L" index=" + std::to_wstring(index) +
                                    L" parent=" + Hex(parent) + L" rect=" + RectText(rect));
  switch (verb) {
    case OLEIVERB_INPLACEACTIVATE:
      return InPlaceActivate(site, parent, rect, false);
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_UIACTIVATE:
      return InPlaceActivate(site, parent, rect, true);
    case OLEIVERB_HIDE:
      if (page_.Handle()) ShowWindow(page_.Handle(), SW_HIDE);
      return S_OK;
    default:
      return OLEOBJ_S_INVALIDVERB;
  }
}

HRESULT StandinBrowser::InPlaceActivate(IOleClientSite* site, HWND parent, LPCRECT rect, bool uiActivate) {
  if (!inPlaceSite_) {
    ComPtr<IOleClientSite> host = ComPtr<IOleClientSite>::Copy(site ? site : clientSite_.Get());
    if (!host) return E_INVALIDARG;
    ComPtr<IOleInPlaceSite> inPlace = host.As<IOleInPlaceSite>(IID_IOleInPlaceSite);
    if (!inPlace) return E_NOINTERFACE;
    HRESULT can = inPlace->CanInPlaceActivate();
    LogCall("IOleInPlaceSite::CanInPlaceActivate", L"answered " + std::to_wstring(can));
    if (can != S_OK) return E_FAIL;
    inPlace->OnInPlaceActivate();
    HWND siteWindow = nullptr;
    if (FAILED(inPlace->GetWindow(&siteWindow)) || !siteWindow) siteWindow = parent;
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> uiWindow;
    RECT pos = {}, clip = {};
    OLEINPLACEFRAMEINFO info = {};
    info.cb = sizeof(info);
    if (SUCCEEDED(inPlace->GetWindowContext(frame.Put(), uiWindow.Put(), &pos, &clip, &info)) && !rect) rect = &pos;
    RECT none = {};
    if (!page_.Create(siteWindow, rect ? *rect : none)) {
      inPlace->OnInPlaceDeactivate();
      return E_FAIL;
    }
    page_.Show(locationUrl_, document_ ? document_->Title() : std::wstring());
    inPlaceSite_ = std::move(inPlace);
    frame_ = std::move(frame);
    LogCall("StandinBrowser", L"in place in " + Hex(siteWindow) + L" window=" + Hex(page_.Handle()));
  } else if (rect) {
    SetObjectRects(rect, rect);
  }
  if (uiActivate && !uiActive_) {
    uiActive_ = true;
    inPlaceSite_->OnUIActivate();
    if (frame_) frame_->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
  }
  ShowWindow(page_.Handle(), SW_SHOW);
  return S_OK;
}

HRESULT StandinBrowser::EnumVerbs(IEnumOLEVERB** verbs) {
  if (verbs) *verbs = nullptr;
  return StubCall("IOleObject::EnumVerbs");
}

HRESULT StandinBrowser::Update() {
  LogCall("IOleObject::Update");
  return S_OK;
}

HRESULT StandinBrowser::IsUpToDate() {
  LogCall("IOleObject::IsUpToDate");
  return S_OK;
}

HRESULT StandinBrowser::GetUserClassID(CLSID* clsid) {
  LogCall("IOleObject::GetUserClassID");
  if (!clsid) return E_POINTER;
  *clsid = CLSID_WebBrowser;
  return S_OK;
}

HRESULT StandinBrowser::GetUserType(DWORD, LPOLESTR* type) {
  LogCall("IOleObject::GetUserType");
  if (type) *type = nullptr;
  return OLE_S_USEREG;
}

HRESULT StandinBrowser::SetExtent(DWORD aspect, SIZEL* size) {
  LogCall("IOleObject::SetExtent", L"aspect=" + std::to_wstring(aspect));
  if (!size) return E_POINTER;
  extent_ = *size;
  return S_OK;
}

HRESULT StandinBrowser::GetExtent(DWORD aspect, SIZEL* size) {
  LogCall("IOleObject::GetExtent", L"aspect=" + std::to_wstring(aspect));
  if (!size) return E_POINTER;
  *size = extent_;
  return S_OK;
}

HRESULT StandinBrowser::Advise(IAdviseSink*, DWORD* connection) {
  if (connection) *connection = 0;
  return StubCall("IOleObject::Advise");
}

HRESULT StandinBrowser::Unadvise(DWORD) { return StubCall("IOleObject::Unadvise"); }

HRESULT StandinBrowser::EnumAdvise(IEnumSTATDATA** advise) {
  if (advise) *advise = nullptr;
  return StubCall("IOleObject::EnumAdvise");
}

HRESULT StandinBrowser::GetMiscStatus(DWORD aspect, DWORD* status) {
  LogCall("IOleObject::GetMiscStatus", L"aspect=" + std::to_wstring(aspect));
  if (!status) return E_POINTER;
  *status = kMiscStatus;
  return S_OK;
}

HRESULT StandinBrowser::SetColorScheme(LOGPALETTE*) { return StubCall("IOleObject::SetColorScheme"); }

// --- IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject ---

HRESULT StandinBrowser::GetWindow(HWND* hwnd) {
  LogCall("IOleWindow::GetWindow", Hex(page_.Handle()));
  if (!hwnd) return E_POINTER;
  *hwnd = page_.Handle();
  return *hwnd ? S_OK : E_FAIL;
}

HRESULT StandinBrowser::ContextSensitiveHelp(BOOL) { return StubCall("IOleWindow::ContextSensitiveHelp"); }

HRESULT StandinBrowser::InPlaceDeactivate() {
  LogCall("IOleInPlaceObject::InPlaceDeactivate");
  if (!inPlaceSite_) return S_OK;
  UIDeactivate();
  page_.Destroy();
  ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_);
  frame_.Reset();
  site->OnInPlaceDeactivate();
  return S_OK;
}

HRESULT StandinBrowser::UIDeactivate() {
  LogCall("IOleInPlaceObject::UIDeactivate");
  if (!uiActive_) return S_OK;
  uiActive_ = false;
  if (frame_) frame_->SetActiveObject(nullptr, nullptr);
  if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
  return S_OK;
}

HRESULT StandinBrowser::SetObjectRects(LPCRECT pos, LPCRECT clip) {
  LogCall("IOleInPlaceObject::SetObjectRects", RectText(pos) + L" clip=" + RectText(clip));
  if (!pos) return E_POINTER;
  if (page_.Handle())
    MoveWindow(page_.Handle(), pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top, TRUE);
  return S_OK;
}

HRESULT StandinBrowser::ReactivateAndUndo() { return StubCall("IOleInPlaceObject::ReactivateAndUndo"); }

HRESULT StandinBrowser::TranslateAccelerator(LPMSG msg) {
  LogCall("IOleInPlaceActiveObject::TranslateAccelerator",
          msg ? L"message=" + std::to_wstring(msg->message) + L" key=" + std::to_wstring(msg->wParam) : L"null");
  return S_FALSE;
}

HRESULT StandinBrowser::OnFrameWindowActivate(BOOL activate) {
  LogCall("IOleInPlaceActiveObject::OnFrameWindowActivate", std::to_wstring(activate));
  return S_OK;
}

HRESULT StandinBrowser::OnDocWindowActivate(BOOL activate) {
  LogCall("IOleInPlaceActiveObject::OnDocWindowActivate", std::to_wstring(activate));
  return S_OK;
}

HRESULT StandinBrowser::ResizeBorder(LPCRECT border, IOleInPlaceUIWindow*, BOOL) {
  LogCall("IOleInPlaceActiveObject::ResizeBorder", RectText(border));
  return S_OK;
}

HRESULT StandinBrowser::EnableModeless(BOOL enable) {
  LogCall("IOleInPlaceActiveObject::EnableModeless", std::to_wstring(enable));
  return S_OK;
}

// --- IPersistStorage ---

HRESULT StandinBrowser::GetClassID(CLSID* clsid) {
  LogCall("IPersist::GetClassID");
  if (!clsid) return E_POINTER;
  *clsid = CLSID_WebBrowser;
  return S_OK;
}

HRESULT StandinBrowser::IsDirty() {
  LogCall("IPersistStorage::IsDirty");
  return S_FALSE;
}

HRESULT StandinBrowser::InitNew(IStorage* storage) {
  LogCall("IPersistStorage::InitNew", Hex(storage));
  return S_OK;
}

HRESULT StandinBrowser::Load(IStorage* storage) {
  LogCall("IPersistStorage::Load", Hex(storage));
  return S_OK;
}

HRESULT StandinBrowser::Save(IStorage* storage, BOOL) {
  LogCall("IPersistStorage::Save", Hex(storage));
  return S_OK;
}

HRESULT StandinBrowser::SaveCompleted(IStorage*) {
  LogCall("IPersistStorage::SaveCompleted");
  return S_OK;
}

HRESULT StandinBrowser::HandsOffStorage() {
  LogCall("IPersistStorage::HandsOffStorage");
  return S_OK;
}

// --- IWebBrowser2 ---

HRESULT StandinBrowser::Navigate(BSTR url, VARIANT* flags, VARIANT*, VARIANT*, VARIANT*) {
  std::wstring flagText = flags ? VariantText(*flags) : std::wstring();
  LogCall("IWebBrowser2::Navigate", Quoted(url) + L" flags=" + flagText);
  if (!url) return E_INVALIDARG;
  StartNavigation(FromBstr(url));
  return S_OK;
}

HRESULT StandinBrowser::Navigate2(VARIANT* url, VARIANT* flags, VARIANT*, VARIANT*, VARIANT*) {
  std::wstring text = url ? VariantText(*url) : std::wstring();
  std::wstring flagText = flags ? VariantText(*flags) : std::wstring();
  LogCall("IWebBrowser2::Navigate2", Quoted(text.c_str()) + L" flags=" + flagText);
  if (text.empty()) return E_INVALIDARG;
  StartNavigation(text);
  return S_OK;
}

HRESULT StandinBrowser::Refresh() {
  LogCall("IWebBrowser2::Refresh");
  // The control reloads the document without navigation events.
  if (!locationUrl_.empty()) document_ = HtmlDocument::Make(FindPage(script_, locationUrl_), locationUrl_);
  return S_OK;
}

HRESULT StandinBrowser::Refresh2(VARIANT*) { return Refresh(); }

HRESULT StandinBrowser::Stop() {
  LogCall("IWebBrowser2::Stop");
  playback_.Clear();
  busy_ = false;
  return S_OK;
}

HRESULT StandinBrowser::get_Document(IDispatch** document) {
  LogCall("IWebBrowser2::get_Document", document_ ? Quoted(locationUrl_.c_str()) : L"none");
  if (!document) return E_POINTER;
  *document = nullptr;
  if (!document_) return S_FALSE;
  *document = ComPtr<IDispatch>::Copy(static_cast<IHTMLDocument2*>(document_.Get())).Detach();
  return S_OK;
}

HRESULT StandinBrowser::get_LocationURL(BSTR* url) {
  LogCall("IWebBrowser2::get_LocationURL");
  return OutBstr(locationUrl_, url);
}

HRESULT StandinBrowser::get_LocationName(BSTR* name) {
  LogCall("IWebBrowser2::get_LocationName");
  return OutBstr(document_ && !document_->Title().empty() ? document_->Title() : locationUrl_, name);
}

HRESULT StandinBrowser::get_Busy(VARIANT_BOOL* busy) {
  LogCall("IWebBrowser2::get_Busy");
  if (!busy) return E_POINTER;
  *busy = busy_ ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT StandinBrowser::get_ReadyState(READYSTATE* state) {
  LogCall("IWebBrowser2::get_ReadyState");
  if (!state) return E_POINTER;
  *state = busy_ ? READYSTATE_LOADING : READYSTATE_COMPLETE;
  return S_OK;
}

HRESULT StandinBrowser::get_HWND(SHANDLE_PTR* hwnd) {
  LogCall("IWebBrowser2::get_HWND");
  if (!hwnd) return E_POINTER;
  *hwnd = reinterpret_cast<SHANDLE_PTR>(page_.Handle());
  return page_.Handle() ? S_OK : E_FAIL;
}

HRESULT StandinBrowser::put_Silent(VARIANT_BOOL silent) {
  LogCall("IWebBrowser2::put_Silent", std::to_wstring(silent));
  silent_ = silent;
  return S_OK;
}

HRESULT StandinBrowser::get_Silent(VARIANT_BOOL* silent) {
  LogCall("IWebBrowser2::get_Silent");
  if (!silent) return E_POINTER;
  *silent = silent_;
  return S_OK;
}

// --- IConnectionPointContainer, IServiceProvider ---

HRESULT StandinBrowser::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (points) *points = nullptr;
  return StubCall("IConnectionPointContainer::EnumConnectionPoints");
}

HRESULT StandinBrowser::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  bool events = iid == DIID_DWebBrowserEvents2;
  LogCall("IConnectionPointContainer::FindConnectionPoint", events ? L"DWebBrowserEvents2" : L"other");
  if (!point) return E_POINTER;
  *point = nullptr;
  if (!events) return CONNECT_E_NOCONNECTION;
  *point = ComPtr<IConnectionPoint>::Copy(events_.Get()).Detach();
  return S_OK;
}

HRESULT StandinBrowser::QueryService(REFGUID service, REFIID iid, void** out) {
  bool shell = service == SID_SShellBrowser;
  LogCall("IServiceProvider::QueryService", shell ? L"SID_SShellBrowser" : L"other");
  if (!out) return E_POINTER;
  *out = nullptr;
  // The shell browser is the in-place window itself: the one the host moves.
  if (!shell || (iid != IID_IOleWindow && iid != IID_IUnknown)) return E_NOINTERFACE;
  *out = static_cast<IOleInPlaceObject*>(this);
  AddRef();
  return S_OK;
}

// --- playing the script ---

void StandinBrowser::StartNavigation(const std::wstring& url) {
  ++generation_;
  loadingPage_ = FindPage(script_, url);
  loadingUrl_ = url;
  frames_.clear();
  if (loadingPage_)
    for (size_t i = 0; i < loadingPage_->frames.size(); ++i)
      frames_.push_back(ComPtr<IDispatch>::Attach(new FrameObject()));
  playback_.Start(PlanNavigation(loadingPage_, url));
  busy_ = true;
  Schedule();
}

void StandinBrowser::Schedule() {
  if (playback_.Empty()) {
    timer_.Disarm();
    busy_ = false;
    return;
  }
  timer_.Arm(playback_.NextDelayMs());
}

void StandinBrowser::OnTimer() {
  timer_.Disarm();
  // A host may run a modal loop inside an event; the next event waits for it.
  if (firing_) {
    timer_.Arm(USER_TIMER_MINIMUM);
    return;
  }
  ComPtr<IUnknown> keepAlive = ComPtr<IUnknown>::Copy(static_cast<IOleObject*>(this));
  try {
    firing_ = true;
    do {
      FireNext();
    } while (!playback_.Empty() && playback_.NextDelayMs() == 0);
  } catch (...) {
    LogCall("StandinBrowser", L"an event failed");
  }
  firing_ = false;
  Schedule();
}

IDispatch* StandinBrowser::EventSource(int frame) {
  if (frame == kTopLevel || frame >= static_cast<int>(frames_.size())) return Self();
  return frames_[frame].Get();
}

void StandinBrowser::FireNext() {
  PlannedEvent e = playback_.Pop();
  switch (e.kind) {
    case EventKind::BeforeNavigate:
      return FireBeforeNavigate(e);
    case EventKind::NavigateError:
      return FireNavigateError(e);
    case EventKind::NavigateComplete:
      return FireNavigateComplete(e);
    case EventKind::TitleChange:
      return FireTitleChange(e);
    case EventKind::DocumentComplete:
      return FireDocumentComplete(e);
    case EventKind::NewWindow:
      return FireNewWindow(e);
    case EventKind::ScriptError:
      return FireScriptError(e);
    case EventKind::Navigate:
      LogCall("script", L"navigate " + Quoted(e.url.c_str()));
      return StartNavigation(e.url);
  }
}

void StandinBrowser::FireBeforeNavigate(const PlannedEvent& e) {
  unsigned generation = generation_;
  VARIANT_BOOL cancel = VARIANT_FALSE;
  EventArgs args;
  args.Dispatch(EventSource(e.frame));
  args.RefText(e.url);
  args.RefLong(0);
  args.RefText(L"");
  args.RefEmpty();
  args.RefText(L"");
  args.RefBool(&cancel);
  events_->Fire(DISPID_BEFORENAVIGATE2, args.Params());
  LogCall("fire BeforeNavigate2", L"frame=" + std::to_wstring(e.frame) + L" " + Quoted(e.url.c_str()) +
                                      L" cancel=" + std::to_wstring(cancel != VARIANT_FALSE));
  // A navigation started by the handler has replaced this one already.
  if (cancel != VARIANT_FALSE && generation == generation_) playback_.CancelNavigation(e.frame);
}

void StandinBrowser::FireNavigateComplete(const PlannedEvent& e) {
  if (e.frame == kTopLevel) {
    document_ = HtmlDocument::Make(loadingPage_, e.url);
    locationUrl_ = e.url;
    page_.Show(locationUrl_, document_->Title());
    page_.ShowFlash(loadingPage_ && loadingPage_->flash);
  }
  EventArgs args;
  args.Dispatch(EventSource(e.frame));
  args.RefText(e.url);
  LogCall("fire NavigateComplete2", L"frame=" + std::to_wstring(e.frame) + L" " + Quoted(e.url.c_str()));
  events_->Fire(DISPID_NAVIGATECOMPLETE2, args.Params());
}

void StandinBrowser::FireTitleChange(const PlannedEvent& e) {
  EventArgs args;
  args.Text(e.url);
  LogCall("fire TitleChange", Quoted(e.url.c_str()));
  events_->Fire(DISPID_TITLECHANGE, args.Params());
}

void StandinBrowser::FireDocumentComplete(const PlannedEvent& e) {
  EventArgs args;
  args.Dispatch(EventSource(e.frame));
  args.RefText(e.url);
  LogCall("fire DocumentComplete", L"frame=" + std::to_wstring(e.frame) + L" " + Quoted(e.url.c_str()));
  events_->Fire(DISPID_DOCUMENTCOMPLETE, args.Params());
}

void StandinBrowser::FireNavigateError(const PlannedEvent& e) {
  VARIANT_BOOL cancel = VARIANT_FALSE;
  EventArgs args;
  args.Dispatch(EventSource(e.frame));
  args.RefText(e.url);
  args.RefText(L"");
  args.RefLong(e.status);
  args.RefBool(&cancel);
  events_->Fire(DISPID_NAVIGATEERROR, args.Params());
  LogCall("fire NavigateError", Quoted(e.url.c_str()) + L" status=" + std::to_wstring(e.status) +
                                    L" cancel=" + std::to_wstring(cancel != VARIANT_FALSE));
}

void StandinBrowser::FireNewWindow(const PlannedEvent& e) {
  VARIANT_BOOL cancel = VARIANT_FALSE;
  IDispatch* newBrowser = nullptr;
  EventArgs args;
  args.RefDispatch(&newBrowser);
  args.RefBool(&cancel);
  args.Long(static_cast<long>(e.action.flags));
  args.Text(locationUrl_);
  args.Text(e.url);
  events_->Fire(DISPID_NEWWINDOW3, args.Params());
  ComPtr<IDispatch> given = ComPtr<IDispatch>::Attach(newBrowser);
  if (cancel != VARIANT_FALSE)
    LogCall("fire NewWindow3", Quoted(e.url.c_str()) + L" cancelled: nothing opened");
  else
    LogCall("fire NewWindow3", Quoted(e.url.c_str()) + L" not cancelled: a new window would open" +
                                   (given ? L" in the host's browser" : L""));
}

void StandinBrowser::FireScriptError(const PlannedEvent& e) {
  ComPtr<IOleCommandTarget> host = clientSite_.As<IOleCommandTarget>(IID_IOleCommandTarget);
  if (!host || !document_) {
    LogCall("script error", L"no command target on the client site: the page's scripts stop");
    playback_.StopScripts();
    return;
  }
  const ActionSpec& a = e.action;
  HtmlWindow& window = document_->Window();
  window.SetEvent(ScriptErrorEvent::Make(a.errorLine, a.errorCharacter, a.errorCode, a.message, locationUrl_));
  VARIANT in, out;
  VariantInit(&in);
  VariantInit(&out);
  in.vt = VT_UNKNOWN;
  in.punkVal = ComPtr<IUnknown>::Copy(static_cast<IHTMLDocument2*>(document_.Get())).Detach();
  unsigned generation = generation_;
  HRESULT hr = host->Exec(&kDocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, OLECMDEXECOPT_DODEFAULT, &in, &out);
  bool keepRunning = out.vt == VT_BOOL && out.boolVal != VARIANT_FALSE;
  VariantClear(&in);
  VariantClear(&out);
  window.SetEvent(nullptr);
  LogCall("fire ScriptError", L"line=" + std::to_wstring(a.errorLine) + L" " + Quoted(a.message.c_str()) +
                                  L" exec=" + std::to_wstring(hr) +
                                  (keepRunning ? L" scripts continue" : L" scripts stop"));
  if (!keepRunning && generation == generation_) playback_.StopScripts();
}
