#pragma once
#include <windows.h>
#include <docobj.h>
#include <exdisp.h>
#include <mshtml.h>
#include <oleidl.h>

#include <functional>
#include <string>
#include <vector>

#include "ComPtr.h"

// One event as the host's sink received it: the argument types in DISPPARAMS
// order and the values the host reads from their fixed positions.
struct ReceivedEvent {
  DISPID id = 0;
  std::vector<VARTYPE> types;  // of rgvarg[0], rgvarg[1], ...
  std::vector<VARTYPE> referredTypes;  // what VT_BYREF|VT_VARIANT arguments point to, VT_EMPTY otherwise
  std::wstring url;
  std::wstring context;  // NewWindow3: the page that asked
  IUnknown* source = nullptr;  // identity of the pDisp argument, not held
  long number = 0;  // NavigateError status, NewWindow3 flags
};

// A WebBrowser host made the way the client makes one: a compound-file
// storage, OleCreate with OLERENDER_DRAW, in-place activation in its own
// window and a DWebBrowserEvents2 sink. Its COM interfaces live as long as
// the object and never free it.
class TestHost : public IDispatch,
                 public IOleClientSite,
                 public IOleInPlaceSite,
                 public IOleInPlaceFrame,
                 public IOleCommandTarget {
 public:
  TestHost();
  ~TestHost();
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  [[nodiscard]] HRESULT Create();
  [[nodiscard]] HWND Window() const { return window_; }
  [[nodiscard]] IWebBrowser2* Browser() const { return browser_.Get(); }
  [[nodiscard]] HRESULT Navigate(const wchar_t* url);
  [[nodiscard]] ComPtr<IHTMLDocument2> Document() const;
  [[nodiscard]] HWND ShellBrowserWindow() const;
  // Pumps messages until an event with this DISPID has come n times in all.
  [[nodiscard]] bool WaitFor(DISPID id, int times = 1, int timeoutMs = 5000);
  [[nodiscard]] int Count(DISPID id) const;

  std::vector<ReceivedEvent> events;
  std::wstring cancelNavigationTo;  // BeforeNavigate2 of this URL is cancelled
  bool cancelNewWindow = true;
  VARIANT_BOOL scriptErrorAnswer = VARIANT_TRUE;
  std::vector<std::wstring> scriptErrorValues;  // the five properties, as text
  std::function<void(const ReceivedEvent&)> onEvent;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  // IDispatch: the event sink
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override;
  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** m) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** c) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return S_OK; }
  // IOleWindow (site and frame)
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                             LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }
  // IOleInPlaceUIWindow, IOleInPlaceFrame
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT r) override;
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return E_NOTIMPL; }
  // IOleCommandTarget
  HRESULT STDMETHODCALLTYPE QueryStatus(const GUID*, ULONG, OLECMD*, OLECMDTEXT*) override;
  HRESULT STDMETHODCALLTYPE Exec(const GUID* group, DWORD id, DWORD, VARIANT* in, VARIANT* out) override;

 private:
  void ReadScriptError(VARIANT* in);

  HWND window_ = nullptr;
  bool activated_ = false;
  ComPtr<IStorage> storage_;
  ComPtr<IOleObject> object_;
  ComPtr<IWebBrowser2> browser_;
};
