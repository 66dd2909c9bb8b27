#include "CacheClearing.h"

#include <wininet.h>

#include <atomic>
#include <vector>

namespace {

std::atomic<bool> g_clearing{false};

// The entry buffer grows to what the enumeration asks for.
class CacheEntryBuffer {
 public:
  void Resize(DWORD bytes) {
    bytes_.assign(bytes < sizeof(INTERNET_CACHE_ENTRY_INFOW) ? sizeof(INTERNET_CACHE_ENTRY_INFOW)
                                                             : bytes,
                  0);
  }
  [[nodiscard]] INTERNET_CACHE_ENTRY_INFOW* Entry() {
    return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(bytes_.data());
  }
  [[nodiscard]] DWORD Size() const { return static_cast<DWORD>(bytes_.size()); }

 private:
  std::vector<BYTE> bytes_;
};

void DeleteAllEntries() {
  CacheEntryBuffer buffer;
  DWORD size = 0;
  FindFirstUrlCacheEntryW(nullptr, nullptr, &size);
  buffer.Resize(size);
  size = buffer.Size();
  HANDLE find = FindFirstUrlCacheEntryW(nullptr, buffer.Entry(), &size);
  if (!find) return;
  do {
    if (buffer.Entry()->lpszSourceUrlName) DeleteUrlCacheEntryW(buffer.Entry()->lpszSourceUrlName);
    size = 0;
    FindNextUrlCacheEntryW(find, nullptr, &size);
    buffer.Resize(size);
    size = buffer.Size();
  } while (FindNextUrlCacheEntryW(find, buffer.Entry(), &size));
  FindCloseUrlCache(find);
}

}  // namespace

DWORD WINAPI ClearCacheWorker(LPVOID ownerWindow) {
  if (g_clearing.exchange(true)) return 0;
  DeleteAllEntries();
  MessageBoxW(static_cast<HWND>(ownerWindow), L"清理缓存完成", L"Valdris3", MB_OK);
  g_clearing.store(false);
  return 0;
}
