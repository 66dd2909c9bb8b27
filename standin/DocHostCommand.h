#pragma once
#include <guiddef.h>

// The command group of script-error questions to the host. mingw-w64's
// headers declare it, but its import library does not define it.
inline constexpr GUID kDocHostCommandHandler = {
    0xf38bc242, 0xb950, 0x11d1, {0x89, 0x18, 0x00, 0xc0, 0x4f, 0xc2, 0xc8, 0x36}};
