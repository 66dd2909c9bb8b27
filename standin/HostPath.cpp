#include "HostPath.h"

std::wstring HostPath(std::wstring_view path) {
  if (path.empty() || path.front() != L'/') return std::wstring(path);
  std::wstring out = L"Z:";
  for (wchar_t c : path) out.push_back(c == L'/' ? L'\\' : c);
  return out;
}
