#pragma once
#include <windows.h>

#include <utility>

// Move-only owner of one platform handle; Traits says what "none" is and how it is freed.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : handle_(h) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  [[nodiscard]] Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::None(); }
  [[nodiscard]] Handle Release() { return std::exchange(handle_, Traits::None()); }
  void Reset(Handle h = Traits::None()) {
    Handle old = std::exchange(handle_, h);
    if (old != Traits::None()) Traits::Free(old);
  }

 private:
  Handle handle_ = Traits::None();
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle None() { return nullptr; }
  static void Free(Handle h) { CloseHandle(h); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

// For APIs that report failure as INVALID_HANDLE_VALUE (CreateFile, FindFirstFile).
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle None() { return INVALID_HANDLE_VALUE; }
  static void Free(Handle h) { CloseHandle(h); }
};
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
