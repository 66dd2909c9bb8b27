#pragma once
#include <oaidl.h>
#include <oleauto.h>

#include <string>

// Hands a text out as a new BSTR the caller frees.
[[nodiscard]] inline HRESULT OutBstr(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

[[nodiscard]] inline std::wstring FromBstr(BSTR b) { return b ? std::wstring(b, SysStringLen(b)) : std::wstring(); }

// A VARIANT as text, as script would see it; empty when it has none.
[[nodiscard]] inline std::wstring VariantText(const VARIANT& v) {
  VARIANT copy;
  VariantInit(&copy);
  std::wstring text;
  if (SUCCEEDED(VariantChangeType(&copy, const_cast<VARIANT*>(&v), 0, VT_BSTR))) text = FromBstr(copy.bstrVal);
  VariantClear(&copy);
  return text;
}
