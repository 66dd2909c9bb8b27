#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The adapters' hardware addresses as "HH:HH:...#HH:HH:..." in the order given;
// each string holds one adapter's raw address bytes. Adapters without an
// address add nothing, not even a separator. Built whole, however many adapters.
[[nodiscard]] std::string FormatAdapterText(const std::vector<std::string>& addresses);

// The uninstaller's device identity: the adapter text, "-", then the four
// processor values as eight upper-case hexadecimal digits each.
[[nodiscard]] std::string FormatUninstallerDeviceId(const std::string& adapterText,
                                                    std::uint32_t leaf0Edx, std::uint32_t leaf0Eax,
                                                    std::uint32_t leaf1Edx, std::uint32_t leaf1Ecx);
