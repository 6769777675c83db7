#include "uxwin/style/UxStyle.h"

#include "uxwin/base/UxAttributeParser.h"
#include "uxwin/base/UxAttributeTable.h"

namespace {

using Parser = UxWin::UxAttributeParser;
using Table = UxWin::UxAttributeTable<UxStyle>;

int32_t Cursor(UxStyle& s, const char* v, bool) {
  static const ULONG_PTR kCursors[] = {reinterpret_cast<ULONG_PTR>(IDC_HAND), reinterpret_cast<ULONG_PTR>(IDC_ARROW)};
  const int word = Parser::Keyword(v, {"hand", "arrow"});
  if (word < 0) return CUxObject::kFail;
  s.cursor = kCursors[word];
  return CUxObject::kOk;
}

// The attribute table: name -> how its value lands in the style.
const Table& Attributes() {
  static const auto* const table = new Table{
      {"crbg", Table::Colour(&UxStyle::crBg)},
      {"crbghover", Table::Colour(&UxStyle::crBgHover)},
      {"crtext", Table::Colour(&UxStyle::crText)},
      {"crhover", Table::Colour(&UxStyle::crHover)},
      {"crdisabled", Table::Colour(&UxStyle::crDisabled)},
      {"crpush", Table::Colour(&UxStyle::crPush)},
      {"crshadow", Table::Colour(&UxStyle::crShadow)},
      {"textmode",
       [](UxStyle& s, const char* v, bool) {
         s.textMode = Parser::Hex(v) & ~static_cast<uint32_t>(DT_MODIFYSTRING);
         return CUxObject::kOk;
       }},
      {"textmodeex",
       [](UxStyle& s, const char* v, bool) {
         s.textModeEx = Parser::Hex(v);
         return CUxObject::kOk;
       }},
      {"font", Table::FontCode(&UxStyle::font)},
      {"hoverfont", Table::FontCode(&UxStyle::hoverFont)},
      {"pushfont", Table::FontCode(&UxStyle::pushFont)},
      {"x-margin", Table::Integer(&UxStyle::xMargin)},
      {"y-margin", Table::Integer(&UxStyle::yMargin)},
      {"margin",
       [](UxStyle& s, const char* v, bool) {
         s.xMargin = s.yMargin = Parser::Integer(v);
         return CUxObject::kOk;
       }},
      {"spacing", Table::Integer(&UxStyle::spacing)},
      {"linespacing", Table::Integer(&UxStyle::lineSpacing)},
      {"cursor", &Cursor},
      {"skin", Table::String(&UxStyle::skin)},
      {"shadow", Table::Integer(&UxStyle::shadow)},
      {"gdiplus", Table::Integer(&UxStyle::gdiplus)},
      {"gdipluscalctxt", Table::Integer(&UxStyle::gdiplusCalcText)},
      {"yhresizedisable", Table::Integer(&UxStyle::yhResizeDisable)},
      {"gditxtrndhit", Table::Integer(&UxStyle::gdiTextRenderingHint)},
      {"alphabg", Table::Integer(&UxStyle::alphaBg)},
      {"alphatxt", Table::Integer(&UxStyle::alphaText)},
      {"bggdiplus", Table::Integer(&UxStyle::bgGdiplus)},
      {"name", Table::String(&UxStyle::name)},
  };
  return *table;
}

}  // namespace

int32_t UxStyle::SetAttribute(const char* attribute, const char* value, bool loading) {
  return Attributes().Apply(*this, attribute, value, loading);
}
