#pragma once
#include <ocidl.h>
#include <oleidl.h>
#include <servprov.h>

#include <string>
#include <vector>

#include "ComPtr.h"
#include "DispatchStub.h"
#include "EventConnection.h"
#include "HtmlDocument.h"
#include "Module.h"
#include "NotImplStubs.h"
#include "Playback.h"
#include "Script.h"
#include "StandinWindows.h"

// Creates the stand-in WebBrowser object for the class factory.
[[nodiscard]] HRESULT CreateStandinBrowser(REFIID iid, void** out);

// The WebBrowser control as a host sees it: an in-place OLE object whose
// navigations play the script named by VD_STANDIN_SCRIPT and fire
// DWebBrowserEvents2 from a timer on the thread that created it.
class StandinBrowser final : public IOleObject,
                             public IOleInPlaceObject,
                             public IOleInPlaceActiveObject,
                             public IPersistStorage,
                             public DispatchStub<NotImplWebBrowser2>,
                             public IConnectionPointContainer,
                             public IServiceProvider,
                             public RefCounted {
 public:
  StandinBrowser();
  ~StandinBrowser() override;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
  ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

  // IOleObject
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR app, LPCOLESTR object) override;
  HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** data) override;
  HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent,
                                   LPCRECT rect) override;
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
  HRESULT STDMETHODCALLTYPE Update() override;
  HRESULT STDMETHODCALLTYPE IsUpToDate() override;
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* type) override;
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override;
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advise) override;
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

  // IOleWindow, for both in-place interfaces and the shell browser service
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;
  // IOleInPlaceObject
  HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE UIDeactivate() override;
  HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT pos, LPCRECT clip) override;
  HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;
  // IOleInPlaceActiveObject
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override;
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frame) override;
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;

  // IPersistStorage
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
  HRESULT STDMETHODCALLTYPE IsDirty() override;
  HRESULT STDMETHODCALLTYPE InitNew(IStorage* storage) override;
  HRESULT STDMETHODCALLTYPE Load(IStorage* storage) override;
  HRESULT STDMETHODCALLTYPE Save(IStorage* storage, BOOL sameAsLoad) override;
  HRESULT STDMETHODCALLTYPE SaveCompleted(IStorage* storage) override;
  HRESULT STDMETHODCALLTYPE HandsOffStorage() override;

  // IWebBrowser2
  HRESULT STDMETHODCALLTYPE Navigate(BSTR url, VARIANT* flags, VARIANT* target, VARIANT* postData,
                                     VARIANT* headers) override;
  HRESULT STDMETHODCALLTYPE Navigate2(VARIANT* url, VARIANT* flags, VARIANT* target, VARIANT* postData,
                                      VARIANT* headers) override;
  HRESULT STDMETHODCALLTYPE Refresh() override;
  HRESULT STDMETHODCALLTYPE Refresh2(VARIANT* level) override;
  HRESULT STDMETHODCALLTYPE Stop() override;
  HRESULT STDMETHODCALLTYPE get_Document(IDispatch** document) override;
  HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR* url) override;
  HRESULT STDMETHODCALLTYPE get_LocationName(BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_Busy(VARIANT_BOOL* busy) override;
  HRESULT STDMETHODCALLTYPE get_ReadyState(READYSTATE* state) override;
  HRESULT STDMETHODCALLTYPE get_HWND(SHANDLE_PTR* hwnd) override;
  HRESULT STDMETHODCALLTYPE put_Silent(VARIANT_BOOL silent) override;
  HRESULT STDMETHODCALLTYPE get_Silent(VARIANT_BOOL* silent) override;

  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

  // IServiceProvider
  HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** out) override;

 private:
  [[nodiscard]] IDispatch* Self() { return static_cast<IWebBrowser2*>(this); }
  HRESULT InPlaceActivate(IOleClientSite* site, HWND parent, LPCRECT rect, bool uiActivate);
  void StartNavigation(const std::wstring& url);
  void OnTimer();
  void FireNext();
  void Schedule();
  void FireBeforeNavigate(const PlannedEvent& e);
  void FireNavigateComplete(const PlannedEvent& e);
  void FireDocumentComplete(const PlannedEvent& e);
  void FireTitleChange(const PlannedEvent& e);
  void FireNavigateError(const PlannedEvent& e);
  void FireNewWindow(const PlannedEvent& e);
  void FireScriptError(const PlannedEvent& e);
  [[nodiscard]] IDispatch* EventSource(int frame);

  Script script_;
  Playback playback_;
  TimerWindow timer_;
  PageWindow page_;
  ComPtr<EventConnection> events_;
  ComPtr<IOleClientSite> clientSite_;
  ComPtr<IOleInPlaceSite> inPlaceSite_;
  ComPtr<IOleInPlaceFrame> frame_;
  ComPtr<HtmlDocument> document_;
  std::vector<ComPtr<IDispatch>> frames_;  // the frames of the page being loaded
  const PageSpec* loadingPage_ = nullptr;  // points into script_
  std::wstring loadingUrl_;
  std::wstring locationUrl_;
  unsigned generation_ = 0;  // counts navigations, so a stale event is not acted on
  bool firing_ = false;
  bool busy_ = false;
  bool uiActive_ = false;
  VARIANT_BOOL silent_ = VARIANT_FALSE;
  SIZEL extent_ = {};
};
