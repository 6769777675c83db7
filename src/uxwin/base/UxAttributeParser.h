#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>

namespace UxWin {

// The attribute grammar every element of the skin documents shares. Values are the XML text
// (UTF-8); parsing never fails loudly: what cannot be read gives 0.
class UxAttributeParser {
 public:
  // Decimal with an optional leading minus; reading stops at the first other character.
  static int32_t Integer(const char* value);
  // "RRGGBB": each pair on its own, a pair that is missing or not hexadecimal gives 0.
  static COLORREF Colour(const char* value);
  // Up to four hexadecimal digits; any other character makes the whole value 0.
  static uint16_t FontCode(const char* value);
  // Hexadecimal, as the text modes are written ("25" is 0x25).
  static uint32_t Hex(const char* value);
  static std::wstring Text(const char* value);  // UTF-8 to UTF-16
  // Which of the words the value is, exactly (case counts): its index, or -1.
  static int Keyword(const char* value, std::initializer_list<const char*> words);
};

}  // namespace UxWin
