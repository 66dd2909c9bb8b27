#pragma once
#include <cstdint>
#include <string>

class CWindowCtrl;

// What the browser thread's commands act on: the HTML control.
class CHtmlCommandTarget {
 public:
  virtual ~CHtmlCommandTarget() = default;
  // The window that a create command makes.
  virtual CWindowCtrl& ControlWindow() = 0;
  [[nodiscard]] virtual bool HasBrowser() const = 0;
  virtual void NavigateNow(const std::wstring& url, std::uint32_t flags) = 0;
  virtual void RefreshNow() = 0;
  virtual void SetSilentNow(bool silent) = 0;
};
