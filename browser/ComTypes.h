#pragma once
#include <windows.h>
#include <oleauto.h>

#include <utility>

// Owner of one BSTR; freed once with SysFreeString.
class UniqueBstr {
 public:
  UniqueBstr() = default;
  explicit UniqueBstr(BSTR b) : bstr_(b) {}
  ~UniqueBstr() { Reset(); }
  UniqueBstr(const UniqueBstr&) = delete;
  UniqueBstr& operator=(const UniqueBstr&) = delete;
  UniqueBstr(UniqueBstr&& other) noexcept : bstr_(std::exchange(other.bstr_, nullptr)) {}
  UniqueBstr& operator=(UniqueBstr&& other) noexcept {
    if (this != &other) {
      Reset();
      bstr_ = std::exchange(other.bstr_, nullptr);
    }
    return *this;
  }

  [[nodiscard]] static UniqueBstr Copy(const wchar_t* text) { return UniqueBstr(SysAllocString(text)); }
  [[nodiscard]] BSTR Get() const { return bstr_; }
  explicit operator bool() const { return bstr_ != nullptr; }
  [[nodiscard]] UINT Length() const { return SysStringLen(bstr_); }
  BSTR* Put() {
    Reset();
    return &bstr_;
  }
  void Reset() {
    if (BSTR b = std::exchange(bstr_, nullptr)) SysFreeString(b);
  }

 private:
  BSTR bstr_ = nullptr;
};

// A VARIANT cleared once when it goes out of scope.
class ScopedVariant {
 public:
  ScopedVariant() { VariantInit(&v_); }
  ~ScopedVariant() { VariantClear(&v_); }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;

  VARIANT* Get() { return &v_; }
  const VARIANT* Get() const { return &v_; }
  VARIANT* operator->() { return &v_; }
  void Clear() { VariantClear(&v_); }

 private:
  VARIANT v_;
};

// Owner of one SAFEARRAY; destroyed once with SafeArrayDestroy.
class UniqueSafeArray {
 public:
  explicit UniqueSafeArray(SAFEARRAY* array) : array_(array) {}
  ~UniqueSafeArray() {
    if (array_) SafeArrayDestroy(array_);
  }
  UniqueSafeArray(const UniqueSafeArray&) = delete;
  UniqueSafeArray& operator=(const UniqueSafeArray&) = delete;
  [[nodiscard]] SAFEARRAY* Get() const { return array_; }

 private:
  SAFEARRAY* array_;
};
