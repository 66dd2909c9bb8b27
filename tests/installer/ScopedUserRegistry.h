#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace installertest {

// Sets string values under HKEY_CURRENT_USER for its lifetime and puts back
// what was there (or removes the value) at the end, last set first.
class ScopedUserRegistry {
 public:
  ScopedUserRegistry() = default;
  ~ScopedUserRegistry();
  ScopedUserRegistry(const ScopedUserRegistry&) = delete;
  ScopedUserRegistry& operator=(const ScopedUserRegistry&) = delete;

  // type is REG_SZ or REG_EXPAND_SZ; the key is created when missing.
  [[nodiscard]] bool Set(const std::wstring& key, const std::wstring& name, DWORD type,
                         const std::wstring& value);

 private:
  struct Saved {
    std::wstring key;
    std::wstring name;
    DWORD type;
    std::optional<std::wstring> value;
  };
  std::vector<Saved> saved_;
};

}  // namespace installertest
