#pragma once
#include "ComPtr.h"
#include "DispatchStub.h"
#include "Module.h"
#include "NotImplStubs.h"

// A page's window: the stand-in plays window.event, the object a script
// error hands the host.
class HtmlWindow final : public DispatchStub<NotImplHtmlWindow2>, public RefCounted {
 public:
  static ComPtr<HtmlWindow> Make() { return ComPtr<HtmlWindow>::Attach(new HtmlWindow()); }
  void SetEvent(ComPtr<IHTMLEventObj> event) { event_ = std::move(event); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
  ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }
  HRESULT STDMETHODCALLTYPE get_event(IHTMLEventObj** p) override;

 private:
  HtmlWindow() = default;
  ComPtr<IHTMLEventObj> event_;
};

// The event object of one script error; hosts read its properties by name through IDispatch.
class ScriptErrorEvent final : public NotImplHtmlEventObj, public RefCounted {
 public:
  static ComPtr<IHTMLEventObj> Make(long line, long character, long code, std::wstring message, std::wstring url);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
  ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                   UINT*) override;

 private:
  ScriptErrorEvent() = default;
  long line_ = 0, character_ = 0, code_ = 0;
  std::wstring message_, url_;
};
