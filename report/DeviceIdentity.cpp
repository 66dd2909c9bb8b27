#include "DeviceIdentity.h"

#include <windows.h>
#include <iphlpapi.h>
#include <intrin.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "AdapterText.h"
#include "UnixTime.h"

namespace {

// The list can grow between the size query and the fetch; a few tries cover that.
std::unique_ptr<IP_ADAPTER_INFO[]> FetchAdapters() {
  ULONG size = 0;
  if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW) return nullptr;
  for (int attempt = 0; attempt < 3 && size != 0; ++attempt) {
    const std::size_t count = size / sizeof(IP_ADAPTER_INFO) + 1;
    std::unique_ptr<IP_ADAPTER_INFO[]> list(new (std::nothrow) IP_ADAPTER_INFO[count]);
    if (!list) return nullptr;
    size = static_cast<ULONG>(count * sizeof(IP_ADAPTER_INFO));
    const ULONG result = GetAdaptersInfo(list.get(), &size);
    if (result == NO_ERROR) return list;
    if (result != ERROR_BUFFER_OVERFLOW) return nullptr;
  }
  return nullptr;
}

std::uint64_t UnixSecondsFromSystemTime(const SYSTEMTIME& time) {
  FILETIME fileTime;
  if (!SystemTimeToFileTime(&time, &fileTime)) return 0;
  ULARGE_INTEGER value;
  value.LowPart = fileTime.dwLowDateTime;
  value.HighPart = fileTime.dwHighDateTime;
  return UnixSecondsFromFileTime(value.QuadPart);
}

}  // namespace

int GetAdapterAddressText(std::string* text) {
  text->clear();
  std::unique_ptr<IP_ADAPTER_INFO[]> list = FetchAdapters();
  if (!list) return -1;
  std::vector<std::string> addresses;
  for (const IP_ADAPTER_INFO* adapter = list.get(); adapter; adapter = adapter->Next) {
    const UINT length = std::min<UINT>(adapter->AddressLength, MAX_ADAPTER_ADDRESS_LENGTH);
    addresses.emplace_back(reinterpret_cast<const char*>(adapter->Address), length);
  }
  *text = FormatAdapterText(addresses);
  return text->empty() ? -1 : static_cast<int>(text->size());
}

std::string GetDeviceId() {
  std::string text;
  (void)GetAdapterAddressText(&text);
  return text;
}

std::string GetUninstallerDeviceId() {
  int leaf0[4];  // EAX, EBX, ECX, EDX
  int leaf1[4];
  __cpuidex(leaf0, 0, 0);
  __cpuidex(leaf1, 1, 0);
  return FormatUninstallerDeviceId(GetDeviceId(), static_cast<std::uint32_t>(leaf0[3]),
                                   static_cast<std::uint32_t>(leaf0[0]),
                                   static_cast<std::uint32_t>(leaf1[3]),
                                   static_cast<std::uint32_t>(leaf1[2]));
}

std::uint64_t GetUnixTime() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return UnixSecondsFromSystemTime(now);
}

std::uint64_t GetLocalUnixTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return UnixSecondsFromSystemTime(now);
}
