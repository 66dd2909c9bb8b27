#include "HtmlDocument.h"

#include "CallLog.h"
#include "ComText.h"

ComPtr<HtmlDocument> HtmlDocument::Make(const PageSpec* page, const std::wstring& url) {
  ComPtr<HtmlDocument> d = ComPtr<HtmlDocument>::Attach(new HtmlDocument());
  d->url_ = url;
  d->window_ = HtmlWindow::Make();
  d->body_ = HtmlElement::MakeBody(page ? page->body : std::wstring());
  if (page) {
    d->title_ = page->title;
    for (const ElementSpec& e : page->elements) d->elements_[e.id] = HtmlElement::Make(e);
  }
  return d;
}

HRESULT HtmlDocument::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IHTMLDocument || iid == IID_IHTMLDocument2)
    *out = static_cast<IHTMLDocument2*>(this);
  else if (iid == IID_IHTMLDocument3)
    *out = static_cast<IHTMLDocument3*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

HRESULT HtmlDocument::get_title(BSTR* p) {
  LogCall("IHTMLDocument2::get_title", Quoted(title_.c_str()));
  return OutBstr(title_, p);
}

HRESULT HtmlDocument::get_body(IHTMLElement** p) {
  LogCall("IHTMLDocument2::get_body");
  if (!p) return E_POINTER;
  *p = ComPtr<IHTMLElement>::Copy(body_.Get()).Detach();
  return S_OK;
}

HRESULT HtmlDocument::get_parentWindow(IHTMLWindow2** p) {
  LogCall("IHTMLDocument2::get_parentWindow");
  if (!p) return E_POINTER;
  *p = ComPtr<IHTMLWindow2>::Copy(window_.Get()).Detach();
  return S_OK;
}

HRESULT HtmlDocument::get_URL(BSTR* p) {
  LogCall("IHTMLDocument2::get_URL");
  return OutBstr(url_, p);
}

HRESULT HtmlDocument::get_readyState(BSTR* p) {
  LogCall("IHTMLDocument2::get_readyState");
  return OutBstr(L"complete", p);
}

HRESULT HtmlDocument::getElementById(BSTR id, IHTMLElement** p) {
  LogCall("IHTMLDocument3::getElementById", Quoted(id));
  if (!p) return E_POINTER;
  *p = nullptr;
  auto it = elements_.find(FromBstr(id));
  // No such element is not an error: the control answers S_OK and null.
  if (it != elements_.end()) *p = ComPtr<IHTMLElement>::Copy(it->second.Get()).Detach();
  return S_OK;
}
