#pragma once
#include <windows.h>
#include <oaidl.h>

// Readers of DWebBrowserEvents2 arguments. The control passes most of them
// by reference (VT_BYREF | VT_VARIANT); these accept either form.
namespace eventargs {

// The text of a BSTR argument; "" for a null BSTR, nullptr when the argument
// holds no text at all.
[[nodiscard]] const wchar_t* Text(const VARIANT& argument);
[[nodiscard]] IDispatch* Dispatch(const VARIANT& argument);
// The VARIANT_BOOL an out-argument points to, or nullptr.
[[nodiscard]] VARIANT_BOOL* BoolOut(const VARIANT& argument);
// The IDispatch slot an out-argument points to, or nullptr.
[[nodiscard]] IDispatch** DispatchOut(const VARIANT& argument);
[[nodiscard]] DWORD Number(const VARIANT& argument);

}  // namespace eventargs
