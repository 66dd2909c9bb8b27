#pragma once
#include <windows.h>

// The DLL's instance and the count of its live objects and server locks.
[[nodiscard]] HINSTANCE ModuleInstance();
void ModuleAddRef();
void ModuleRelease();
[[nodiscard]] bool ModuleInUse();

// Reference counting shared by the stand-in's objects: each live object keeps the DLL loaded.
class RefCounted {
 public:
  RefCounted() { ModuleAddRef(); }
  virtual ~RefCounted() { ModuleRelease(); }
  RefCounted(const RefCounted&) = delete;
  RefCounted& operator=(const RefCounted&) = delete;

 protected:
  ULONG AddRefImpl() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG ReleaseImpl() {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 private:
  LONG refs_ = 1;
};
