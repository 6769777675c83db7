#include "uxwin/style/UxStyle.h"

#include <cstring>
#include <functional>
#include <map>
#include <string>

#include "uxwin/object/UxAttributeParser.h"

namespace {

using Parser = UxWin::UxAttributeParser;
using Setter = std::function<bool(UxStyle&, const char*)>;

template <typename Field>
Setter Decimal(Field UxStyle::*field) {
  return [field](UxStyle& style, const char* value) {
    style.*field = static_cast<Field>(Parser::Integer(value));
    return true;
  };
}

Setter Colour(COLORREF UxStyle::*field) {
  return [field](UxStyle& style, const char* value) {
    style.*field = Parser::Colour(value);
    return true;
  };
}

Setter FontCode(uint16_t UxStyle::*field) {
  return [field](UxStyle& style, const char* value) {
    style.*field = Parser::FontCode(value);
    return true;
  };
}

// The attribute table: name -> how its value lands in the style.
const std::map<std::string, Setter>& Attributes() {
  static const auto* const table = new std::map<std::string, Setter>{
      {"crbg", Colour(&UxStyle::crBg)},
      {"crbghover", Colour(&UxStyle::crBgHover)},
      {"crtext", Colour(&UxStyle::crText)},
      {"crhover", Colour(&UxStyle::crHover)},
      {"crdisabled", Colour(&UxStyle::crDisabled)},
      {"crpush", Colour(&UxStyle::crPush)},
      {"crshadow", Colour(&UxStyle::crShadow)},
      {"textmode",
       [](UxStyle& s, const char* v) {
         s.textMode = Parser::Hex(v) & ~static_cast<uint32_t>(DT_MODIFYSTRING);
         return true;
       }},
      {"textmodeex",
       [](UxStyle& s, const char* v) {
         s.textModeEx = Parser::Hex(v);
         return true;
       }},
      {"font", FontCode(&UxStyle::font)},
      {"hoverfont", FontCode(&UxStyle::hoverFont)},
      {"pushfont", FontCode(&UxStyle::pushFont)},
      {"x-margin", Decimal(&UxStyle::xMargin)},
      {"y-margin", Decimal(&UxStyle::yMargin)},
      {"margin",
       [](UxStyle& s, const char* v) {
         s.xMargin = s.yMargin = Parser::Integer(v);
         return true;
       }},
      {"spacing", Decimal(&UxStyle::spacing)},
      {"linespacing", Decimal(&UxStyle::lineSpacing)},
      {"cursor",
       [](UxStyle& s, const char* v) {
         if (!v) return false;
         if (std::strcmp(v, "hand") == 0) {
           s.cursor = reinterpret_cast<ULONG_PTR>(IDC_HAND);
         } else if (std::strcmp(v, "arrow") == 0) {
           s.cursor = reinterpret_cast<ULONG_PTR>(IDC_ARROW);
         } else {
           return false;
         }
         return true;
       }},
      {"skin",
       [](UxStyle& s, const char* v) {
         s.skin = v ? v : "";
         return true;
       }},
      {"shadow", Decimal(&UxStyle::shadow)},
      {"gdiplus", Decimal(&UxStyle::gdiplus)},
      {"gdipluscalctxt", Decimal(&UxStyle::gdiplusCalcText)},
      {"yhresizedisable", Decimal(&UxStyle::yhResizeDisable)},
      {"gditxtrndhit", Decimal(&UxStyle::gdiTextRenderingHint)},
      {"alphabg", Decimal(&UxStyle::alphaBg)},
      {"alphatxt", Decimal(&UxStyle::alphaText)},
      {"bggdiplus", Decimal(&UxStyle::bgGdiplus)},
      {"name",
       [](UxStyle& s, const char* v) {
         s.name = v ? v : "";
         return true;
       }},
  };
  return *table;
}

}  // namespace

int32_t UxStyle::SetAttribute(const char* attribute, const char* value, bool) {
  if (!attribute) return kFail;
  const auto found = Attributes().find(attribute);
  if (found == Attributes().end()) return kFail;
  return found->second(*this, value) ? kOk : kFail;
}
