#include "WebBrowser.h"

#include <servprov.h>
#include <shlguid.h>
#include <shobjidl.h>

#include "ComTypes.h"
#include "WindowSearch.h"

CWebBrowser::~CWebBrowser() {
  activated_ = 0;
  if (OnCreatingThread()) {
    ReleaseControl();
    return;
  }
  // Releasing from another apartment would call into the control from the
  // wrong thread; the owner's thread releases at its loop end instead, and
  // whatever is still held here is let go without a call.
  static_cast<void>(webBrowser_.Detach());
  static_cast<void>(inPlaceActiveObject_.Detach());
  static_cast<void>(inPlaceObject_.Detach());
  static_cast<void>(oleObject_.Detach());
  static_cast<void>(storage_.Detach());
}

void CWebBrowser::ReleaseControl() {
  webBrowser_.Reset();
  inPlaceActiveObject_.Reset();
  inPlaceObject_.Reset();
  oleObject_.Reset();
  storage_.Reset();
}

HRESULT CWebBrowser::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2) {
    *object = static_cast<IDispatch*>(this);
  } else if (riid == IID_IOleClientSite) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (riid == IID_IOleInPlaceSite) {
    if (!activated_) *object = static_cast<IOleInPlaceSite*>(this);
  } else if (riid == IID_IOleInPlaceFrame || riid == IID_IOleInPlaceUIWindow) {
    if (!activated_) *object = static_cast<IOleInPlaceFrame*>(this);
  } else if (riid == IID_IDocHostUIHandler) {
    *object = static_cast<IDocHostUIHandler*>(this);
  } else if (riid == IID_IOleCommandTarget) {
    *object = static_cast<IOleCommandTarget*>(this);
  }
  if (!*object) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG CWebBrowser::AddRef() {
  InterlockedExchangeAdd(&refCount_, 1);
  return 0;
}

ULONG CWebBrowser::Release() {
  InterlockedExchangeAdd(&refCount_, -1);
  return 0;
}

HRESULT CWebBrowser::GetTypeInfoCount(UINT* count) {
  if (count) *count = 0;
  return E_NOTIMPL;
}

HRESULT CWebBrowser::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

HRESULT CWebBrowser::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT CWebBrowser::SaveObject() { return S_OK; }

HRESULT CWebBrowser::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT CWebBrowser::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_FAIL;
}

HRESULT CWebBrowser::ShowObject() { return S_OK; }
HRESULT CWebBrowser::OnShowWindow(BOOL) { return S_OK; }
HRESULT CWebBrowser::RequestNewObjectLayout() { return S_OK; }

HRESULT CWebBrowser::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = hostWindow_;
  return S_OK;
}

HRESULT CWebBrowser::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT CWebBrowser::CanInPlaceActivate() {
  if (activated_) return S_FALSE;
  activated_ = 1;
  return S_OK;
}

HRESULT CWebBrowser::OnInPlaceActivate() { return S_OK; }
HRESULT CWebBrowser::OnUIActivate() { return S_OK; }

HRESULT CWebBrowser::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                      LPRECT position, LPRECT clip,
                                      LPOLEINPLACEFRAMEINFO frameInfo) {
  if (frame) {
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
  }
  if (doc) *doc = nullptr;
  RECT client = {};
  GetClientRect(hostWindow_, &client);
  if (position) *position = client;
  if (clip) *clip = client;
  if (frameInfo) {
    frameInfo->cb = sizeof(OLEINPLACEFRAMEINFO);
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = GetParent(hostWindow_);
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
  }
  return S_OK;
}

HRESULT CWebBrowser::Scroll(SIZE) { return E_NOTIMPL; }
HRESULT CWebBrowser::OnUIDeactivate(BOOL) { return S_OK; }
HRESULT CWebBrowser::OnInPlaceDeactivate() { return S_OK; }
HRESULT CWebBrowser::DiscardUndoState() { return S_OK; }
HRESULT CWebBrowser::DeactivateAndUndo() { return S_OK; }
// The HTML control sizes the control's window itself.
HRESULT CWebBrowser::OnPosRectChange(LPCRECT) { return S_OK; }

HRESULT CWebBrowser::GetBorder(LPRECT border) {
  if (!border) return E_POINTER;
  GetClientRect(hostWindow_, border);
  return S_OK;
}

HRESULT CWebBrowser::RequestBorderSpace(LPCBORDERWIDTHS) { return S_OK; }
HRESULT CWebBrowser::SetBorderSpace(LPCBORDERWIDTHS) { return S_OK; }
HRESULT CWebBrowser::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) { return S_OK; }
HRESULT CWebBrowser::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return E_NOTIMPL; }
HRESULT CWebBrowser::SetMenu(HMENU, HOLEMENU, HWND) { return E_NOTIMPL; }
HRESULT CWebBrowser::RemoveMenus(HMENU) { return E_NOTIMPL; }
HRESULT CWebBrowser::SetStatusText(LPCOLESTR) { return E_NOTIMPL; }
HRESULT CWebBrowser::EnableModeless(BOOL) { return E_NOTIMPL; }
HRESULT CWebBrowser::TranslateAccelerator(LPMSG, WORD) { return E_NOTIMPL; }

// S_FALSE: the control shows its own standard menu.
HRESULT CWebBrowser::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) { return S_FALSE; }

HRESULT CWebBrowser::GetHostInfo(DOCHOSTUIINFO* info) {
  if (!info) return E_POINTER;
  info->cbSize = sizeof(DOCHOSTUIINFO);
  info->dwFlags |= DOCHOSTUIFLAG_NO3DBORDER;
  if (noScroll_) info->dwFlags |= DOCHOSTUIFLAG_SCROLL_NO;
  info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
  info->pchHostCss = nullptr;
  info->pchHostNS = nullptr;
  return S_OK;
}

HRESULT CWebBrowser::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                            IOleInPlaceFrame*, IOleInPlaceUIWindow*) {
  return S_OK;
}

HRESULT CWebBrowser::HideUI() { return S_OK; }
HRESULT CWebBrowser::UpdateUI() { return S_OK; }
HRESULT CWebBrowser::OnDocWindowActivate(BOOL) { return S_OK; }
HRESULT CWebBrowser::OnFrameWindowActivate(BOOL) { return S_OK; }
HRESULT CWebBrowser::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
HRESULT CWebBrowser::TranslateAccelerator(LPMSG, const GUID*, DWORD) { return S_FALSE; }

HRESULT CWebBrowser::GetOptionKeyPath(LPOLESTR* key, DWORD) {
  if (key) *key = nullptr;
  return S_OK;
}

HRESULT CWebBrowser::GetDropTarget(IDropTarget*, IDropTarget** replacement) {
  if (replacement) *replacement = nullptr;
  return S_OK;
}

HRESULT CWebBrowser::GetExternal(IDispatch** dispatch) {
  if (!dispatch) return E_POINTER;
  external_.AddRef();
  *dispatch = &external_;
  return S_OK;
}

HRESULT CWebBrowser::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) {
  if (translated) *translated = nullptr;
  return S_OK;
}

HRESULT CWebBrowser::FilterDataObject(IDataObject*, IDataObject** replacement) {
  if (replacement) *replacement = nullptr;
  return S_OK;
}

bool CWebBrowser::CreateBrowser(HWND host) {
  if (activated_) return false;
  creatorThread_.store(GetCurrentThreadId());
  // Released after the control: the system deletes the temporary file then.
  HRESULT hr = StgCreateDocfile(nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0,
                                storage_.Put());
  if (SUCCEEDED(hr) && storage_) {
    hr = OleCreate(CLSID_WebBrowser, IID_IOleObject, OLERENDER_DRAW, nullptr,
                   static_cast<IOleClientSite*>(this), storage_.Get(), oleObject_.PutVoid());
  }
  if (SUCCEEDED(hr) && oleObject_) {
    inPlaceObject_ = oleObject_.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    inPlaceActiveObject_ = oleObject_.As<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject);
    webBrowser_ = oleObject_.As<IWebBrowser2>(IID_IWebBrowser2);
  }
  if (FAILED(hr) || !oleObject_ || !inPlaceObject_ || !inPlaceActiveObject_ || !webBrowser_) {
    ReleaseControl();
    activated_ = 0;
    return false;
  }

  hostWindow_ = host;
  RECT client = {};
  GetClientRect(host, &client);
  oleObject_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(this), 0,
                     host, &client);

  auto container = webBrowser_.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
  ComPtr<IConnectionPoint> point;
  if (container && SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Put())) &&
      point) {
    // The cookie is not needed: the connection lasts as long as the control.
    DWORD cookie = 0;
    point->Advise(static_cast<IDispatch*>(this), &cookie);
  }
  activated_ = 1;
  return true;
}

int CWebBrowser::Navigate(const wchar_t* url, int flags) {
  if (!webBrowser_ || !url) return 0;
  ScopedVariant target;
  target->vt = VT_BSTR;
  target->bstrVal = SysAllocString(url);
  if (!target->bstrVal) return 0;
  ScopedVariant navFlags;
  navFlags->vt = VT_I4;
  navFlags->lVal = flags;
  ScopedVariant none;
  webBrowser_->Navigate2(target.Get(), navFlags.Get(), none.Get(), none.Get(), none.Get());
  return 1;
}

void CWebBrowser::DiscoverBrowserWindow() {
  if (!webBrowser_) return;
  auto provider = webBrowser_.As<IServiceProvider>(IID_IServiceProvider);
  if (!provider) return;
  ComPtr<IOleWindow> window;
  if (FAILED(provider->QueryService(SID_SShellBrowser, IID_IOleWindow, window.PutVoid())) ||
      !window) {
    return;
  }
  HWND found = nullptr;
  if (FAILED(window->GetWindow(&found))) {
    browserWindow_ = nullptr;
    return;
  }
  browserWindow_ = found;
  if (onBrowserWindow) onBrowserWindow(found);
}

HWND CWebBrowser::GetBrowserWindow() {
  HWND cached = browserWindow_.load();
  if (IsWindow(cached)) return cached;
  // Only the control's own thread may call into it, or even look at its
  // interface pointers: they are released there at the end.
  if (!OnCreatingThread()) return nullptr;
  if (!webBrowser_) return cached;
  DiscoverBrowserWindow();
  return browserWindow_.load();
}

HRESULT CWebBrowser::TranslateBrowserKey(MSG* msg) {
  if (!msg || msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return S_FALSE;
  if (!webBrowser_) return E_NOTIMPL;
  HWND browser = GetBrowserWindow();
  bool inBrowser = false;
  for (HWND h = GetFocus(); h != nullptr; h = GetParent(h)) {
    if (h == browser) {
      inBrowser = true;
      break;
    }
  }
  if (!browser || !inBrowser) return S_FALSE;
  HRESULT r = inPlaceActiveObject_ ? inPlaceActiveObject_->TranslateAccelerator(msg) : S_FALSE;
  if ((msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) && msg->wParam == VK_TAB &&
      IsFlashWindow(msg->hwnd)) {
    // Tab would move the focus out of the movie; the movie keeps it instead.
    SetForegroundWindow(msg->hwnd);
    SetFocus(msg->hwnd);
    return S_OK;
  }
  return r;
}
