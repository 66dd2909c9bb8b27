#pragma once
#include <string>
#include <string_view>

// Paths in VD_STANDIN_SCRIPT and VD_STANDIN_LOG as a Windows program opens
// them: an absolute Unix path (as a Linux shell sets it) becomes the same
// path on drive Z:, where Wine maps the Unix root; others stay as given.
[[nodiscard]] std::wstring HostPath(std::wstring_view path);
