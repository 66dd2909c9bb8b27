#pragma once
#include <ocidl.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "ComPtr.h"
#include "Module.h"

// The DWebBrowserEvents2 connection point: the sinks the host advised.
class EventConnection final : public IConnectionPoint, public RefCounted {
 public:
  explicit EventConnection(IConnectionPointContainer* container) : container_(container) {}
  // The browser is going away: no more calls back into it.
  void Detach() { container_ = nullptr; }
  void Fire(DISPID id, DISPPARAMS& params);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
  ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

 private:
  IConnectionPointContainer* container_;  // borrowed: the browser owns this object
  std::vector<std::pair<DWORD, ComPtr<IDispatch>>> sinks_;
  DWORD nextCookie_ = 1;
};

// Arguments of one event, given in the event's declaration order and handed
// to Invoke in reverse, as the control does. By-reference arguments point
// into this object, which owns every string and interface it holds.
class EventArgs {
 public:
  EventArgs() = default;
  EventArgs(const EventArgs&) = delete;
  EventArgs& operator=(const EventArgs&) = delete;
  ~EventArgs();

  void Dispatch(IDispatch* p);                  // VT_DISPATCH
  void Text(const std::wstring& s);             // VT_BSTR
  void Long(long v);                            // VT_I4
  void RefText(const std::wstring& s);          // VT_BYREF|VT_VARIANT to VT_BSTR
  void RefLong(long v);                         // VT_BYREF|VT_VARIANT to VT_I4
  void RefEmpty();                              // VT_BYREF|VT_VARIANT to VT_EMPTY
  void RefBool(VARIANT_BOOL* flag);             // VT_BYREF|VT_BOOL
  void RefDispatch(IDispatch** slot);           // VT_BYREF|VT_DISPATCH
  [[nodiscard]] DISPPARAMS& Params();

 private:
  VARIANT& Next();
  VARIANT& NextRef();
  // Deques: by-reference arguments keep pointing at their targets as more are added.
  std::deque<VARIANT> args_;
  std::deque<VARIANT> referred_;
  std::vector<VARIANT> reversed_;
  DISPPARAMS params_ = {};
};
