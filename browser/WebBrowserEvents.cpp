#include <exdispid.h>
#include <mshtmhst.h>

#include "ComTypes.h"
#include "EventArgs.h"
#include "WebBrowser.h"

namespace {
// Out-arguments a malformed event lacks point here, so a callee can always write.
struct OutSlots {
  VARIANT_BOOL cancel = VARIANT_FALSE;
  IDispatch* newBrowser = nullptr;
};

const wchar_t* TextOrEmpty(const VARIANT& argument) {
  const wchar_t* text = eventargs::Text(argument);
  return text ? text : L"";
}

const wchar_t* const kScriptErrorProperties[] = {L"errorLine", L"errorCharacter", L"errorCode",
                                                 L"errorMessage", L"errorUrl"};
constexpr DWORD kShowScriptError = 40;  // OLECMDID_SHOWSCRIPTERROR
// CGID_DocHostCommandHandler; the MinGW import libraries do not carry it.
constexpr GUID kDocHostCommandHandler = {
    0xf38bc242, 0xb950, 0x11d1, {0x89, 0x18, 0x00, 0xc0, 0x4f, 0xc2, 0xc8, 0x36}};
}  // namespace

HRESULT CWebBrowser::Invoke(DISPID member, REFIID riid, LCID, WORD, DISPPARAMS* params, VARIANT*,
                            EXCEPINFO*, UINT*) {
  if (riid != IID_NULL) return E_INVALIDARG;
  const UINT count = params ? params->cArgs : 0;
  const VARIANT* args = params ? params->rgvarg : nullptr;
  if (count > 0 && !args) return S_OK;
  OutSlots slots;
  try {
    switch (member) {
      case DISPID_QUIT:
        if (onQuit) onQuit();
        return S_OK;
      case DISPID_COMMANDSTATECHANGE:
      case DISPID_NAVIGATEERROR:
        return S_OK;
      case DISPID_TITLECHANGE:
        if (count >= 1 && args[0].vt == VT_BSTR && onTitleChange) {
          onTitleChange(args[0].bstrVal ? args[0].bstrVal : L"");
        }
        return S_OK;
      case DISPID_BEFORENAVIGATE2:
        // Seven parameters; the frame is the first, so the last position.
        if (count >= 7 && onBeforeNavigate) {
          VARIANT_BOOL* cancel = eventargs::BoolOut(args[0]);
          if (!cancel) cancel = &slots.cancel;
          onBeforeNavigate(eventargs::Dispatch(args[6]), TextOrEmpty(args[5]), cancel);
        }
        return S_OK;
      case DISPID_NAVIGATECOMPLETE2:
        if (count >= 2) {
          DiscoverBrowserWindow();
          if (onNavigateComplete) onNavigateComplete(TextOrEmpty(args[0]));
        }
        return S_OK;
      case DISPID_DOCUMENTCOMPLETE:
        if (count >= 2) {
          if (noScroll_) TurnBodyScrollOff();
          if (onDocumentComplete) onDocumentComplete(eventargs::Dispatch(args[1]), TextOrEmpty(args[0]));
        }
        return S_OK;
      case DISPID_NEWWINDOW3:
        if (count >= 5 && onNewWindow) {
          IDispatch** newBrowser = eventargs::DispatchOut(args[4]);
          if (!newBrowser) newBrowser = &slots.newBrowser;
          VARIANT_BOOL* cancel = eventargs::BoolOut(args[3]);
          if (!cancel) cancel = &slots.cancel;
          onNewWindow(newBrowser, cancel, eventargs::Number(args[2]), TextOrEmpty(args[1]),
                      TextOrEmpty(args[0]));
        }
        if (slots.newBrowser) slots.newBrowser->Release();
        return S_OK;
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  } catch (...) {
    return DISP_E_EXCEPTION;
  }
}

void CWebBrowser::TurnBodyScrollOff() {
  ComPtr<IHTMLDocument2> document = GetHtmlDocument2();
  if (!document) return;
  ComPtr<IHTMLElement> body;
  if (FAILED(document->get_body(body.Put())) || !body) return;
  auto bodyElement = body.As<IHTMLBodyElement>(IID_IHTMLBodyElement);
  if (!bodyElement) return;
  UniqueBstr no = UniqueBstr::Copy(L"no");
  if (no) bodyElement->put_scroll(no.Get());
}

HRESULT CWebBrowser::QueryStatus(const GUID*, ULONG, OLECMD*, OLECMDTEXT*) {
  return OLECMDERR_E_NOTSUPPORTED;
}

HRESULT CWebBrowser::Exec(const GUID* group, DWORD command, DWORD, VARIANT* input,
                          VARIANT* output) {
  if (!group || *group != kDocHostCommandHandler) return OLECMDERR_E_UNKNOWNGROUP;
  if (command != kShowScriptError) return OLECMDERR_E_NOTSUPPORTED;

  // The error is only looked at, never shown: answering true keeps the page's
  // scripts running without the control's error dialog.
  if (output) {
    output->vt = VT_BOOL;
    output->boolVal = VARIANT_TRUE;
  }
  ComPtr<IUnknown> source;
  if (input && input->vt == VT_UNKNOWN) source = ComPtr<IUnknown>::Copy(input->punkVal);
  if (input && input->vt == VT_DISPATCH) source = ComPtr<IUnknown>::Copy(input->pdispVal);
  auto document = source.As<IHTMLDocument2>(IID_IHTMLDocument2);
  if (!document) return S_OK;
  ComPtr<IHTMLWindow2> window;
  if (FAILED(document->get_parentWindow(window.Put())) || !window) return S_OK;
  ComPtr<IHTMLEventObj> event;
  if (FAILED(window->get_event(event.Put())) || !event) return S_OK;

  HRESULT last = S_OK;
  for (const wchar_t* name : kScriptErrorProperties) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    last = event->GetIDsOfNames(IID_NULL, names, 1, LOCALE_SYSTEM_DEFAULT, &id);
    if (FAILED(last)) continue;
    DISPPARAMS none = {};
    ScopedVariant value;
    last = event->Invoke(id, IID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_PROPERTYGET, &none,
                         value.Get(), nullptr, nullptr);
  }
  return last;
}
