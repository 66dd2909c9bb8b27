#include "EventArgs.h"

namespace eventargs {
namespace {
const VARIANT& Unwrap(const VARIANT& argument) {
  if (argument.vt == (VT_BYREF | VT_VARIANT) && argument.pvarVal) return *argument.pvarVal;
  return argument;
}
}  // namespace

const wchar_t* Text(const VARIANT& argument) {
  const VARIANT& v = Unwrap(argument);
  if (v.vt == VT_BSTR) return v.bstrVal ? v.bstrVal : L"";
  if (v.vt == (VT_BYREF | VT_BSTR) && v.pbstrVal) return *v.pbstrVal ? *v.pbstrVal : L"";
  return nullptr;
}

IDispatch* Dispatch(const VARIANT& argument) {
  const VARIANT& v = Unwrap(argument);
  if (v.vt == VT_DISPATCH) return v.pdispVal;
  if (v.vt == (VT_BYREF | VT_DISPATCH) && v.ppdispVal) return *v.ppdispVal;
  return nullptr;
}

VARIANT_BOOL* BoolOut(const VARIANT& argument) {
  const VARIANT& v = Unwrap(argument);
  return v.vt == (VT_BYREF | VT_BOOL) ? v.pboolVal : nullptr;
}

IDispatch** DispatchOut(const VARIANT& argument) {
  const VARIANT& v = Unwrap(argument);
  return v.vt == (VT_BYREF | VT_DISPATCH) ? v.ppdispVal : nullptr;
}

DWORD Number(const VARIANT& argument) {
  const VARIANT& v = Unwrap(argument);
  switch (v.vt) {
    case VT_I4: return static_cast<DWORD>(v.lVal);
    case VT_UI4: return v.ulVal;
    case VT_INT: return static_cast<DWORD>(v.intVal);
    case VT_UINT: return v.uintVal;
    default: return 0;
  }
}

}  // namespace eventargs
