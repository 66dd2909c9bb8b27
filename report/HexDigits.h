#pragma once
#include <cstdint>
#include <string>

namespace report_detail {

inline void AppendHexByte(std::string& out, unsigned char byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0x0F];
}

inline void AppendHex32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) AppendHexByte(out, static_cast<unsigned char>(value >> shift));
}

}  // namespace report_detail
