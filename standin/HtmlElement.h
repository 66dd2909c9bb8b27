#pragma once
#include <map>
#include <string>

#include "ComPtr.h"
#include "DispatchStub.h"
#include "Module.h"
#include "NotImplStubs.h"
#include "Script.h"

// An element of a scripted page: its texts and attributes as the script
// gave them, changed by the host's setAttribute. The body element also
// answers IHTMLBodyElement.
class HtmlElement final : public DispatchStub<NotImplHtmlElement>,
                          public DispatchStub<NotImplHtmlBodyElement>,
                          public RefCounted {
 public:
  static ComPtr<HtmlElement> Make(const ElementSpec& spec);
  static ComPtr<HtmlElement> MakeBody(const std::wstring& html);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
  ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

  HRESULT STDMETHODCALLTYPE setAttribute(BSTR name, VARIANT value, LONG flags) override;
  HRESULT STDMETHODCALLTYPE getAttribute(BSTR name, LONG flags, VARIANT* value) override;
  HRESULT STDMETHODCALLTYPE get_id(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE get_tagName(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE get_innerText(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_innerText(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_innerHTML(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_innerHTML(BSTR v) override;
  HRESULT STDMETHODCALLTYPE click() override;

  HRESULT STDMETHODCALLTYPE put_scroll(BSTR v) override;
  HRESULT STDMETHODCALLTYPE get_scroll(BSTR* p) override;

 private:
  HtmlElement() = default;
  [[nodiscard]] std::wstring Who() const;

  bool isBody_ = false;
  std::wstring id_;
  std::wstring text_;
  std::wstring html_;
  std::wstring scroll_ = L"auto";
  std::map<std::wstring, std::wstring> attributes_;
};
