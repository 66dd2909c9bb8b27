#include <cwchar>

#include "ComTypes.h"
#include "WebBrowser.h"

namespace {
// Copies text with its terminator into a buffer of size characters, cleared
// first, when it fits.
bool CopyIfFits(const wchar_t* text, UINT length, wchar_t* buffer, int size) {
  if (!buffer || size < 0 || static_cast<UINT>(size) < length + 1) return false;
  std::wmemset(buffer, L'\0', static_cast<std::size_t>(size));
  if (length > 0) std::wmemcpy(buffer, text, length);
  return true;
}
}  // namespace

ComPtr<IHTMLDocument2> CWebBrowser::GetHtmlDocument2() {
  if (!webBrowser_) return nullptr;
  ComPtr<IDispatch> document;
  if (FAILED(webBrowser_->get_Document(document.Put())) || !document) return nullptr;
  return document.As<IHTMLDocument2>(IID_IHTMLDocument2);
}

ComPtr<IHTMLDocument3> CWebBrowser::GetHtmlDocument3() {
  if (!webBrowser_) return nullptr;
  ComPtr<IDispatch> document;
  if (FAILED(webBrowser_->get_Document(document.Put())) || !document) return nullptr;
  return document.As<IHTMLDocument3>(IID_IHTMLDocument3);
}

ComPtr<IHTMLElement> CWebBrowser::GetElementById(const wchar_t* id) {
  if (!id) return nullptr;
  ComPtr<IHTMLDocument3> document = GetHtmlDocument3();
  if (!document) return nullptr;
  UniqueBstr name = UniqueBstr::Copy(id);
  ComPtr<IHTMLElement> element;
  if (!name || FAILED(document->getElementById(name.Get(), element.Put()))) return nullptr;
  return element;
}

bool CWebBrowser::LoadHtmlText(const wchar_t* html) {
  if (!html || !webBrowser_) return false;
  {
    ScopedVariant blank;
    blank->vt = VT_BSTR;
    blank->bstrVal = SysAllocString(L"about:blank");
    ScopedVariant none;
    webBrowser_->Navigate2(blank.Get(), none.Get(), none.Get(), none.Get(), none.Get());
  }
  ComPtr<IHTMLDocument2> document = GetHtmlDocument2();
  if (!document) return false;
  UniqueSafeArray array(SafeArrayCreateVector(VT_VARIANT, 0, 1));
  if (!array.Get()) return false;
  VARIANT* element = nullptr;
  if (FAILED(SafeArrayAccessData(array.Get(), reinterpret_cast<void**>(&element)))) return false;
  // SafeArrayDestroy frees the string with the array.
  element->vt = VT_BSTR;
  element->bstrVal = SysAllocString(html);
  SafeArrayUnaccessData(array.Get());
  if (!element->bstrVal) return false;
  if (FAILED(document->write(array.Get()))) return false;
  document->close();
  return true;
}

bool CWebBrowser::GetBodyHtml(wchar_t* buffer, int* size) {
  if (!buffer || !size) return false;
  ComPtr<IHTMLDocument2> document = GetHtmlDocument2();
  if (!document) return false;
  ComPtr<IHTMLElement> body;
  if (FAILED(document->get_body(body.Put())) || !body) return false;
  UniqueBstr html;
  if (FAILED(body->get_innerHTML(html.Put()))) return false;
  // A text that does not fit is still a text: nothing is copied.
  CopyIfFits(html.Get(), html.Length(), buffer, *size);
  return true;
}

bool CWebBrowser::ClickElementById(const wchar_t* id) {
  ComPtr<IHTMLElement> element = GetElementById(id);
  return element && SUCCEEDED(element->click());
}

bool CWebBrowser::SetElementValue(const wchar_t* id, const wchar_t* value) {
  if (!id || !value) return false;
  ComPtr<IHTMLElement> element = GetElementById(id);
  if (!element) return false;
  UniqueBstr attribute = UniqueBstr::Copy(L"value");
  ScopedVariant text;
  text->vt = VT_BSTR;
  text->bstrVal = SysAllocString(value);
  if (!attribute || !text->bstrVal) return false;
  return SUCCEEDED(element->setAttribute(attribute.Get(), *text.Get(), 1));
}

bool CWebBrowser::GetElementValue(const wchar_t* id, wchar_t* buffer, int* size) {
  if (!size) return false;
  ComPtr<IHTMLElement> element = GetElementById(id);
  if (!element) return false;
  UniqueBstr attribute = UniqueBstr::Copy(L"value");
  ScopedVariant value;
  if (!attribute || FAILED(element->getAttribute(attribute.Get(), 0, value.Get()))) return false;
  const bool isText = value->vt == VT_BSTR && value->bstrVal;
  const UINT length = isText ? SysStringLen(value->bstrVal) : 0;
  if (CopyIfFits(isText ? value->bstrVal : L"", length, buffer, *size)) return true;
  *size = static_cast<int>(length + 1);
  return false;
}
