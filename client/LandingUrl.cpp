#include "LandingUrl.h"

#include <cstdint>

namespace {
constexpr wchar_t kHex[] = L"0123456789ABCDEF";

void AppendEscaped(std::wstring& out, std::uint8_t byte) {
  out += L'%';
  out += kHex[byte >> 4];
  out += kHex[byte & 0xF];
}

void AppendUtf8Escaped(std::wstring& out, std::uint32_t codePoint) {
  if (codePoint < 0x80) {
    AppendEscaped(out, static_cast<std::uint8_t>(codePoint));
  } else if (codePoint < 0x800) {
    AppendEscaped(out, static_cast<std::uint8_t>(0xC0 | (codePoint >> 6)));
    AppendEscaped(out, static_cast<std::uint8_t>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    AppendEscaped(out, static_cast<std::uint8_t>(0xE0 | (codePoint >> 12)));
    AppendEscaped(out, static_cast<std::uint8_t>(0x80 | ((codePoint >> 6) & 0x3F)));
    AppendEscaped(out, static_cast<std::uint8_t>(0x80 | (codePoint & 0x3F)));
  } else {
    AppendEscaped(out, static_cast<std::uint8_t>(0xF0 | (codePoint >> 18)));
    AppendEscaped(out, static_cast<std::uint8_t>(0x80 | ((codePoint >> 12) & 0x3F)));
    AppendEscaped(out, static_cast<std::uint8_t>(0x80 | ((codePoint >> 6) & 0x3F)));
    AppendEscaped(out, static_cast<std::uint8_t>(0x80 | (codePoint & 0x3F)));
  }
}

bool BreaksQuery(std::uint32_t c) {
  return c == L'#' || c == L'&' || c == L'%' || c == L'+' || c == L' ' || c < 0x20 || c >= 0x7F;
}

bool IsHighSurrogate(std::uint32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(std::uint32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
}  // namespace

std::wstring EncodeQueryValue(std::wstring_view value) {
  std::wstring out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    // wchar_t is 16 bits on Windows and 32 bits elsewhere; both hold UTF-16 units here.
    std::uint32_t c = static_cast<std::uint32_t>(value[i]) & 0xFFFF;
    if (!BreaksQuery(c)) {
      out += value[i];
      continue;
    }
    if (IsHighSurrogate(c) && i + 1 < value.size() &&
        IsLowSurrogate(static_cast<std::uint32_t>(value[i + 1]) & 0xFFFF)) {
      std::uint32_t low = static_cast<std::uint32_t>(value[++i]) & 0xFFFF;
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      c = 0xFFFD;  // a lone half of a pair has no UTF-8 form
    }
    AppendUtf8Escaped(out, c);
  }
  return out;
}

std::wstring BuildLandingUrl(const LandingUrlFields& f) {
  std::wstring url = f.page;
  url += L"?installtime=" + EncodeQueryValue(f.installTime);
  url += L"&agent_id=" + std::to_wstring(f.agentId);
  url += L"&cplaceid=" + std::to_wstring(f.placeId);
  url += L"&runcount=" + std::to_wstring(f.runCount);
  url += L"&mac=" + EncodeQueryValue(f.mac);
  url += L"&Version=" + EncodeQueryValue(f.version);
  return url;
}
