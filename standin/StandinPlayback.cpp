#include "StandinBrowser.h"

#include <docobj.h>
#include <exdispid.h>

#include "CallLog.h"
#include "DocHostCommand.h"

// Playing the script: each navigation becomes a plan of events, fired one
// timer tick at a time on the thread that created the browser.

namespace {

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
    document_->Window().SetExternal(AskExternal());
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
  const ScriptAction& a = e.action;
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
