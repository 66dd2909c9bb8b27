#include "AdapterText.h"

#include "HexDigits.h"

std::string FormatAdapterText(const std::vector<std::string>& addresses) {
  std::string text;
  for (const std::string& address : addresses) {
    if (address.empty()) continue;
    if (!text.empty()) text += '#';
    for (std::size_t i = 0; i < address.size(); ++i) {
      if (i != 0) text += ':';
      report_detail::AppendHexByte(text, static_cast<unsigned char>(address[i]));
    }
  }
  return text;
}

std::string FormatUninstallerDeviceId(const std::string& adapterText, std::uint32_t leaf0Edx,
                                      std::uint32_t leaf0Eax, std::uint32_t leaf1Edx,
                                      std::uint32_t leaf1Ecx) {
  std::string id = adapterText;
  id += '-';
  report_detail::AppendHex32(id, leaf0Edx);
  report_detail::AppendHex32(id, leaf0Eax);
  report_detail::AppendHex32(id, leaf1Edx);
  report_detail::AppendHex32(id, leaf1Ecx);
  return id;
}
