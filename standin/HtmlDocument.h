#pragma once
#include <map>
#include <string>

#include "ComPtr.h"
#include "DispatchStub.h"
#include "HtmlElement.h"
#include "HtmlWindow.h"
#include "Module.h"
#include "NotImplStubs.h"
#include "Script.h"

// The document of one loaded page; a URL without a page gets an empty one.
class HtmlDocument final : public DispatchStub<NotImplHtmlDocument2>,
                           public DispatchStub<NotImplHtmlDocument3>,
                           public RefCounted {
 public:
  static ComPtr<HtmlDocument> Make(const PageSpec* page, const std::wstring& url);
  [[nodiscard]] const std::wstring& Title() const { return title_; }
  [[nodiscard]] HtmlWindow& Window() const { return *window_.Get(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
  ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

  HRESULT STDMETHODCALLTYPE get_title(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE get_body(IHTMLElement** p) override;
  HRESULT STDMETHODCALLTYPE get_parentWindow(IHTMLWindow2** p) override;
  HRESULT STDMETHODCALLTYPE get_URL(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE get_readyState(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE getElementById(BSTR id, IHTMLElement** p) override;

 private:
  HtmlDocument() = default;

  std::wstring url_;
  std::wstring title_;
  ComPtr<HtmlElement> body_;
  ComPtr<HtmlWindow> window_;
  std::map<std::wstring, ComPtr<HtmlElement>> elements_;
};
