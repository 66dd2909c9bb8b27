#pragma once
#include <string>
#include <string_view>

// "GameInfo" / "Version": the number 1.16 formatted "%0.2f".
inline constexpr wchar_t kClientVersionText[] = L"1.16";

// A profile value as an integer the way the C library's wide conversion
// reads it: leading white space, an optional sign, then the leading digits;
// 0 when there are none. Out-of-range values stop at the int limits.
[[nodiscard]] int ParseProfileInt(std::wstring_view text);

// The run count to store after a start: one more, without wrapping past the top.
[[nodiscard]] int NextRunCount(int runCount);

// At most maxUnits UTF-16 units of text, never ending inside a surrogate pair.
[[nodiscard]] std::wstring TruncateAtCharacter(std::wstring_view text, std::size_t maxUnits);
