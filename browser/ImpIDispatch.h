#pragma once
#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// What page script reaches as window.external. Its member table is empty
// unless a host fills it, so every script call fails in the page's engine.
class CImpIDispatch : public IDispatch {
 public:
  using Handler = std::function<void(std::wstring& result, DISPID member,
                                     const std::vector<std::wstring>& arguments)>;

  CImpIDispatch() = default;
  virtual ~CImpIDispatch() = default;
  CImpIDispatch(const CImpIDispatch&) = delete;
  CImpIDispatch& operator=(const CImpIDispatch&) = delete;

  // IUnknown. The count is not interlocked: only the browser thread calls.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;

  void AddName(DISPID id, const std::wstring& name);
  void SetHandler(Handler handler) { handler_ = std::move(handler); }
  [[nodiscard]] LONG RefCount() const { return refCount_; }

 private:
  std::map<DISPID, std::wstring> names_;
  Handler handler_;
  LONG refCount_ = 0;
  std::mutex lock_;
};
