#pragma once
#include <string_view>

// A Config.ini value as an integer the way the C library's wide conversion
// reads it: leading white space, an optional sign, then the leading digits;
// 0 when there are none. Out-of-range values stop at the int limits. Both
// programs read the same file, so both read its numbers with this.
[[nodiscard]] int ParseProfileInt(std::wstring_view text);
