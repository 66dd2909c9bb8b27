#include "Module.h"

#include <exdisp.h>
#include <unknwn.h>

#include "CallLog.h"
#include "ComPtr.h"
#include "StandinBrowser.h"
#include "StandinWindows.h"

namespace {

HINSTANCE g_instance = nullptr;
LONG g_users = 0;

class ClassFactory final : public IClassFactory, public RefCounted {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
  ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    LogCall("IClassFactory::CreateInstance");
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return CreateStandinBrowser(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) ModuleAddRef();
    else ModuleRelease();
    return S_OK;
  }
};

}  // namespace

HINSTANCE ModuleInstance() { return g_instance; }
void ModuleAddRef() { InterlockedIncrement(&g_users); }
void ModuleRelease() { InterlockedDecrement(&g_users); }
bool ModuleInUse() { return InterlockedCompareExchange(&g_users, 0, 0) != 0; }

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_instance = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != CLSID_WebBrowser) return CLASS_E_CLASSNOTAVAILABLE;
  LogCall("DllGetClassObject");
  ComPtr<IClassFactory> factory = ComPtr<IClassFactory>::Attach(new ClassFactory());
  return factory->QueryInterface(iid, out);
}

// The window classes go with the last object, so that an unloaded and
// reloaded DLL registers them afresh with its new window procedures.
extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  if (ModuleInUse()) return S_FALSE;
  UnregisterStandinWindowClasses();
  return S_OK;
}
