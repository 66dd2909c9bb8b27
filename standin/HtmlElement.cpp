#include "HtmlElement.h"

#include "CallLog.h"
#include "ComText.h"

ComPtr<HtmlElement> HtmlElement::Make(const ElementSpec& spec) {
  ComPtr<HtmlElement> e = ComPtr<HtmlElement>::Attach(new HtmlElement());
  e->id_ = spec.id;
  // A page that gives only one of the two texts shows it as both.
  e->text_ = spec.text ? *spec.text : spec.html.value_or(std::wstring());
  e->html_ = spec.html ? *spec.html : spec.text.value_or(std::wstring());
  for (const auto& [name, value] : spec.attributes) e->attributes_[name] = value;
  return e;
}

ComPtr<HtmlElement> HtmlElement::MakeBody(const std::wstring& html) {
  ComPtr<HtmlElement> e = ComPtr<HtmlElement>::Attach(new HtmlElement());
  e->isBody_ = true;
  e->html_ = html;
  e->text_ = html;
  return e;
}

std::wstring HtmlElement::Who() const { return isBody_ ? std::wstring(L"body") : L"id=" + Quoted(id_.c_str()); }

HRESULT HtmlElement::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IHTMLElement)
    *out = static_cast<IHTMLElement*>(this);
  else if (isBody_ && iid == IID_IHTMLBodyElement)
    *out = static_cast<IHTMLBodyElement*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

HRESULT HtmlElement::setAttribute(BSTR name, VARIANT value, LONG flags) {
  std::wstring text = VariantText(value);
  LogCall("IHTMLElement::setAttribute", Who() + L" name=" + Quoted(name) + L" value=" + Quoted(text.c_str()) +
                                            L" flags=" + std::to_wstring(flags));
  if (!name) return E_INVALIDARG;
  attributes_[FromBstr(name)] = text;
  return S_OK;
}

HRESULT HtmlElement::getAttribute(BSTR name, LONG flags, VARIANT* value) {
  LogCall("IHTMLElement::getAttribute", Who() + L" name=" + Quoted(name) + L" flags=" + std::to_wstring(flags));
  if (!value) return E_POINTER;
  VariantInit(value);
  auto it = attributes_.find(FromBstr(name));
  if (it == attributes_.end()) {
    value->vt = VT_NULL;  // what the control answers for a missing attribute
    return S_OK;
  }
  value->vt = VT_BSTR;
  return OutBstr(it->second, &value->bstrVal);
}

HRESULT HtmlElement::get_id(BSTR* p) {
  LogCall("IHTMLElement::get_id", Who());
  return OutBstr(id_, p);
}

HRESULT HtmlElement::get_tagName(BSTR* p) {
  LogCall("IHTMLElement::get_tagName", Who());
  return OutBstr(isBody_ ? L"BODY" : L"DIV", p);
}

HRESULT HtmlElement::get_innerText(BSTR* p) {
  LogCall("IHTMLElement::get_innerText", Who());
  return OutBstr(text_, p);
}

HRESULT HtmlElement::put_innerText(BSTR v) {
  LogCall("IHTMLElement::put_innerText", Who() + L" " + Quoted(v));
  text_ = html_ = FromBstr(v);
  return S_OK;
}

HRESULT HtmlElement::get_innerHTML(BSTR* p) {
  LogCall("IHTMLElement::get_innerHTML", Who());
  return OutBstr(html_, p);
}

HRESULT HtmlElement::put_innerHTML(BSTR v) {
  LogCall("IHTMLElement::put_innerHTML", Who() + L" " + Quoted(v));
  text_ = html_ = FromBstr(v);
  return S_OK;
}

HRESULT HtmlElement::click() {
  LogCall("IHTMLElement::click", Who());
  return S_OK;
}

HRESULT HtmlElement::put_scroll(BSTR v) {
  LogCall("IHTMLBodyElement::put_scroll", Quoted(v));
  scroll_ = FromBstr(v);
  return S_OK;
}

HRESULT HtmlElement::get_scroll(BSTR* p) {
  LogCall("IHTMLBodyElement::get_scroll");
  return OutBstr(scroll_, p);
}
