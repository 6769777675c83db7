#include "FuzzText.h"

#include "utils/TextEncoding.h"

namespace hardening {

std::wstring FuzzText::Decode(const std::string& input) {
  if (input.size() >= 2 && static_cast<unsigned char>(input[0]) == 0xFF && static_cast<unsigned char>(input[1]) == 0xFE) {
    std::wstring text((input.size() - 2) / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i) {
      text[i] = static_cast<wchar_t>(static_cast<unsigned char>(input[2 + 2 * i]) |
                                     static_cast<unsigned char>(input[3 + 2 * i]) << 8);
    }
    return text;
  }
  return qm::encoding::Utf8ToWide(input);
}

std::string FuzzText::Utf16Form(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (const wchar_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8 & 0xFF);
  }
  return bytes;
}

}  // namespace hardening
