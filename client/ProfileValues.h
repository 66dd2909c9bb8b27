#pragma once
#include <string>
#include <string_view>

#include "ProfileInt.h"

// "GameInfo" / "Version": the number 1.16 formatted "%0.2f".
inline constexpr wchar_t kClientVersionText[] = L"1.16";


// The run count to store after a start: one more, without wrapping past the top.
[[nodiscard]] int NextRunCount(int runCount);

// At most maxUnits UTF-16 units of text, never ending inside a surrogate pair.
[[nodiscard]] std::wstring TruncateAtCharacter(std::wstring_view text, std::size_t maxUnits);
