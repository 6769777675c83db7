#include "uxwin/base/UxAttributeParser.h"

#include <cstdlib>
#include <cstring>

#include "utils/TextEncoding.h"

namespace UxWin {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One colour component from two characters; 0 when the pair is missing or not hexadecimal. The
// end of the text counts as a 0 digit, so a lone last "1" reads 0x10.
int Pair(const char* value, size_t length, size_t at) {
  if (at >= length) return 0;
  const int high = HexDigit(value[at]);
  if (high < 0) return 0;
  if (at + 1 >= length) return high * 16;
  const int low = HexDigit(value[at + 1]);
  return low < 0 ? 0 : high * 16 + low;
}

}  // namespace

int32_t UxAttributeParser::Integer(const char* value) {
  return value ? static_cast<int32_t>(std::strtol(value, nullptr, 10)) : 0;
}

COLORREF UxAttributeParser::Colour(const char* value) {
  if (!value) return 0;
  const size_t length = std::strlen(value);
  return RGB(Pair(value, length, 0), Pair(value, length, 2), Pair(value, length, 4));
}

uint16_t UxAttributeParser::FontCode(const char* value) {
  if (!value || !*value || std::strlen(value) > 4) return 0;
  uint32_t code = 0;
  for (const char* c = value; *c; ++c) {
    const int digit = HexDigit(*c);
    if (digit < 0) return 0;
    code = code * 16 + static_cast<uint32_t>(digit);
  }
  return static_cast<uint16_t>(code);
}

uint32_t UxAttributeParser::Hex(const char* value) {
  return value ? static_cast<uint32_t>(std::strtoul(value, nullptr, 16)) : 0;
}

std::wstring UxAttributeParser::Text(const char* value) {
  return value ? qm::encoding::Utf8ToWide(value) : std::wstring();
}

int UxAttributeParser::Keyword(const char* value, std::initializer_list<const char*> words) {
  if (!value) return -1;
  int index = 0;
  for (const char* word : words) {
    if (std::strcmp(value, word) == 0) return index;
    ++index;
  }
  return -1;
}

}  // namespace UxWin
