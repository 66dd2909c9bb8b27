#pragma once
#include <windows.h>
#include <docobj.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <mshtml.h>
#include <oleidl.h>

#include <atomic>
#include <functional>

#include "ComPtr.h"
#include "ImpIDispatch.h"

// Hosts one WebBrowser control in place inside a window and plays every host
// role the control asks for. Reference counting never frees it: its owner's
// lifetime governs it. Used only on the thread that created the control,
// except GetBrowserWindow, which other threads may call (it then makes no
// COM call).
class CWebBrowser : public IDispatch,
                    public IOleClientSite,
                    public IOleInPlaceSite,
                    public IOleInPlaceFrame,
                    public IDocHostUIHandler,
                    public IOleCommandTarget {
 public:
  using TitleChangeCallback = std::function<void(const wchar_t* title)>;
  using DocumentCompleteCallback = std::function<void(IDispatch* frame, const wchar_t* url)>;
  using NavigateCompleteCallback = std::function<void(const wchar_t* url)>;
  using BeforeNavigateCallback =
      std::function<void(IDispatch* frame, const wchar_t* url, VARIANT_BOOL*& cancel)>;
  using NewWindowCallback =
      std::function<void(IDispatch** newBrowser, VARIANT_BOOL*& cancel, DWORD flags,
                         const wchar_t* contextUrl, const wchar_t* url)>;
  using QuitCallback = std::function<void()>;
  using BrowserWindowCallback = std::function<void(HWND)>;

  CWebBrowser() = default;
  virtual ~CWebBrowser();
  CWebBrowser(const CWebBrowser&) = delete;
  CWebBrowser& operator=(const CWebBrowser&) = delete;

  // IUnknown, shared by all six interfaces.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch: the event sink.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;

  // Document operations; a null webBrowser or any failed step gives false.
  virtual int Navigate(const wchar_t* url, int flags);
  virtual bool LoadHtmlText(const wchar_t* html);
  virtual bool GetBodyHtml(wchar_t* buffer, int* size);
  virtual bool ClickElementById(const wchar_t* id);
  virtual bool SetElementValue(const wchar_t* id, const wchar_t* value);
  virtual bool GetElementValue(const wchar_t* id, wchar_t* buffer, int* size);

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override;
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL show) override;
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;

  // IOleWindow, shared by the in-place site and frame.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enterMode) override;

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnUIActivate() override;
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                             LPRECT position, LPRECT clip,
                                             LPOLEINPLACEFRAMEINFO frameInfo) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE extent) override;
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL undoable) override;
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) override;

  // IOleInPlaceUIWindow and IOleInPlaceFrame
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT border) override;
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS widths) override;
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS widths) override;
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object,
                                            LPCOLESTR name) override;
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU shared, HOLEMENU ole, HWND active) override;
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU shared) override;
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR text) override;
  // Also IDocHostUIHandler::EnableModeless: same signature, same answer.
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg, WORD id) override;

  // IDocHostUIHandler
  HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD id, POINT* point, IUnknown* target,
                                            IDispatch* object) override;
  HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override;
  HRESULT STDMETHODCALLTYPE ShowUI(DWORD id, IOleInPlaceActiveObject* active,
                                   IOleCommandTarget* target, IOleInPlaceFrame* frame,
                                   IOleInPlaceUIWindow* doc) override;
  HRESULT STDMETHODCALLTYPE HideUI() override;
  HRESULT STDMETHODCALLTYPE UpdateUI() override;
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window,
                                         BOOL frameWindow) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg, const GUID* group,
                                                 DWORD command) override;
  HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* key, DWORD reserved) override;
  HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget* target, IDropTarget** replacement) override;
  HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** dispatch) override;
  HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD translate, LPWSTR url, LPWSTR* translated) override;
  HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject* object, IDataObject** replacement) override;

  // IOleCommandTarget: the script-error command.
  HRESULT STDMETHODCALLTYPE QueryStatus(const GUID* group, ULONG count, OLECMD* commands,
                                        OLECMDTEXT* text) override;
  HRESULT STDMETHODCALLTYPE Exec(const GUID* group, DWORD command, DWORD options, VARIANT* input,
                                 VARIANT* output) override;

  // Creates the control and activates it in place inside host.
  [[nodiscard]] bool CreateBrowser(HWND host);
  // The control's own top window; cached. Off the creating thread only the
  // cached window is answered.
  [[nodiscard]] HWND GetBrowserWindow();
  // S_OK: the key was consumed and must be neither translated nor dispatched.
  [[nodiscard]] HRESULT TranslateBrowserKey(MSG* msg);
  // Releases the control's interfaces; call on the creating thread.
  void ReleaseControl();

  // The current document, AddRef'd, or null.
  [[nodiscard]] ComPtr<IHTMLDocument2> GetHtmlDocument2();
  [[nodiscard]] ComPtr<IHTMLDocument3> GetHtmlDocument3();

  [[nodiscard]] IWebBrowser2* WebBrowser() const { return webBrowser_.Get(); }
  [[nodiscard]] bool IsActivated() const { return activated_ != 0; }
  void ClearActivated() { activated_ = 0; }
  [[nodiscard]] LONG RefCount() const { return refCount_; }
  [[nodiscard]] CImpIDispatch& External() { return external_; }

  TitleChangeCallback onTitleChange;
  DocumentCompleteCallback onDocumentComplete;
  NavigateCompleteCallback onNavigateComplete;
  BeforeNavigateCallback onBeforeNavigate;
  NewWindowCallback onNewWindow;
  QuitCallback onQuit;
  BrowserWindowCallback onBrowserWindow;

 private:
  void DiscoverBrowserWindow();
  void TurnBodyScrollOff();
  [[nodiscard]] ComPtr<IHTMLElement> GetElementById(const wchar_t* id);
  [[nodiscard]] bool OnCreatingThread() const { return GetCurrentThreadId() == creatorThread_; }

  ComPtr<IStorage> storage_;
  ComPtr<IOleObject> oleObject_;
  ComPtr<IOleInPlaceObject> inPlaceObject_;
  ComPtr<IOleInPlaceActiveObject> inPlaceActiveObject_;
  ComPtr<IWebBrowser2> webBrowser_;
  HWND hostWindow_ = nullptr;
  std::atomic<HWND> browserWindow_{nullptr};
  LONG activated_ = 0;
  LONG refCount_ = 0;
  std::atomic<DWORD> creatorThread_{0};
  CImpIDispatch external_;
  bool noScroll_ = true;
};
