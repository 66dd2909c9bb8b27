#pragma once
#include <unknwn.h>

#include <utility>

// The one COM smart pointer of the programs: released once, by its holder.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  ComPtr(const ComPtr& other) : ptr_(other.ptr_) {
    if (ptr_) ptr_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  ~ComPtr() { Reset(); }
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(ptr_, other.ptr_);
    return *this;
  }

  // Takes over a reference the caller already owns.
  static ComPtr Attach(T* p) {
    ComPtr c;
    c.ptr_ = p;
    return c;
  }
  // Adds a reference of its own.
  static ComPtr Copy(T* p) {
    if (p) p->AddRef();
    return Attach(p);
  }

  [[nodiscard]] T* Get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }
  [[nodiscard]] T* Detach() { return std::exchange(ptr_, nullptr); }
  void Reset() {
    if (T* p = std::exchange(ptr_, nullptr)) p->Release();
  }
  // For out-parameters: releases what is held first.
  T** Put() {
    Reset();
    return &ptr_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }

  template <typename U>
  [[nodiscard]] ComPtr<U> As(REFIID iid) const {
    ComPtr<U> out;
    if (ptr_) ptr_->QueryInterface(iid, out.PutVoid());
    return out;
  }

 private:
  T* ptr_ = nullptr;
};
