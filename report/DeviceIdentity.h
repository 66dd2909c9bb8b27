#pragma once
#include <cstdint>
#include <string>

// The adapter-address text of the adapters GetAdaptersInfo lists. Returns its
// length, or -1 when no adapter with an address was found (text then empty).
[[nodiscard]] int GetAdapterAddressText(std::string* text);

// The client's device identity: the adapter text itself (empty without adapters).
[[nodiscard]] std::string GetDeviceId();

// The uninstaller's device identity: the adapter text, "-" and four CPUID values.
[[nodiscard]] std::string GetUninstallerDeviceId();

// Whole seconds since 1970-01-01 00:00 UTC.
[[nodiscard]] std::uint64_t GetUnixTime();

// The local wall-clock time counted the same way (the uninstaller's report time).
[[nodiscard]] std::uint64_t GetLocalUnixTime();
