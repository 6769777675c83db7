#include <gtest/gtest.h>

#include "uxwin/base/UxAttributeParser.h"
#include "uxwin/base/UxAttributeTable.h"
#include "uxwin/style/UxString.h"
#include "uxwin/style/UxStyleRegistry.h"

using UxWin::UxAttributeParser;

TEST(UxAttributes, ColoursFontCodesAndIntegers) {
  EXPECT_EQ(UxAttributeParser::Colour("ffffff"), UxAttributeParser::Colour("FFFFFF"));
  EXPECT_EQ(UxAttributeParser::Colour("FF3A1C"), RGB(0xFF, 0x3A, 0x1C));
  EXPECT_EQ(GetBValue(UxAttributeParser::Colour("FF3A1")), 0x10) << "a lone last digit, then the end";
  EXPECT_EQ(UxAttributeParser::Colour("FFzz00"), RGB(0xFF, 0, 0)) << "a pair that is not hexadecimal gives 0";
  EXPECT_EQ(UxAttributeParser::Colour("#FFFFFF"), RGB(0, 0xFF, 0xFF));
  EXPECT_EQ(UxAttributeParser::Colour(""), 0u);
  EXPECT_EQ(UxAttributeParser::FontCode("1C04"), 0x1C04);
  EXPECT_EQ(UxAttributeParser::FontCode("0204"), 0x0204);
  EXPECT_EQ(UxAttributeParser::FontCode("12G4"), 0);
  EXPECT_EQ(UxAttributeParser::FontCode("12345"), 0);
  EXPECT_EQ(UxAttributeParser::Integer("-12"), -12);
  EXPECT_EQ(UxAttributeParser::Integer("abc"), 0);
  EXPECT_EQ(UxAttributeParser::Hex("25"), 0x25u);
}

TEST(UxAttributes, KeywordsAreExactWords) {
  EXPECT_EQ(UxAttributeParser::Keyword("middle", {"top", "middle", "bottom"}), 1);
  EXPECT_EQ(UxAttributeParser::Keyword("Middle", {"top", "middle", "bottom"}), -1);
  EXPECT_EQ(UxAttributeParser::Keyword("", {"top"}), -1);
  EXPECT_EQ(UxAttributeParser::Keyword(nullptr, {"top"}), -1);
}

namespace {

class TableBase : public CUxObject {
 public:
  const char* GetObjectClass() const override { return "base"; }
  int32_t SetAttribute(const char* name, const char* value, bool loading) override {
    using Table = UxWin::UxAttributeTable<TableBase>;
    static const Table table{{"size", Table::Integer(&TableBase::size)}};
    return table.Apply(*this, name, value, loading);
  }
  int32_t size = 0;
};

class TableDerived : public TableBase {
 public:
  int32_t SetAttribute(const char* name, const char* value, bool loading) override {
    using Table = UxWin::UxAttributeTable<TableDerived>;
    static const Table table{{"size",
                              [](TableDerived& derived, const char*, bool) {
                                derived.shadowed = true;
                                return CUxObject::kOk;
                              }},
                             {"label", Table::String(&TableDerived::label)},
                             {"again", Table::Integer(&TableDerived::size)}};
    return table.Chain<TableBase>(*this, name, value, loading);
  }
  std::string label;
  bool shadowed = false;
};

}  // namespace

TEST(UxAttributes, ADerivedTableOnlyAddsNamesToItsBase) {
  TableDerived derived;
  EXPECT_EQ(derived.SetAttribute("size", "7", true), CUxObject::kOk);
  EXPECT_EQ(derived.size, 7);
  EXPECT_FALSE(derived.shadowed) << "a name the base knows keeps its meaning";
  EXPECT_EQ(derived.SetAttribute("label", "x", true), CUxObject::kOk);
  EXPECT_EQ(derived.label, "x");
  EXPECT_EQ(derived.SetAttribute("again", "-3", true), CUxObject::kOk);
  EXPECT_EQ(derived.size, -3) << "an inherited field";
  EXPECT_EQ(derived.SetAttribute("nothing", "1", true), CUxObject::kFail);
  EXPECT_EQ(derived.SetAttribute(nullptr, "1", true), CUxObject::kFail);
}

TEST(UxStyles, ClassesAreParsedAndLaterDefinitionsUpdateThem) {
  UxStyleRegistry registry;
  ASSERT_TRUE(registry.LoadDocument(R"(<style>
      <class name="title" crtext="FF3A1C" font="0904" textmode="25" margin="3" cursor="hand" skin="shadow"/>
      <class name="title" crtext="000000" linespacing="30"/>
      <class crtext="123456"/>
      <class name="modify" textmode="10025"/>
    </style>)"));
  const UxStyle& title = registry.GetStyle("title");
  EXPECT_EQ(title.crText, RGB(0, 0, 0)) << "overridden";
  EXPECT_EQ(title.font, 0x0904) << "kept";
  EXPECT_EQ(title.textMode, 0x25u);
  EXPECT_EQ(title.xMargin, 3);
  EXPECT_EQ(title.yMargin, 3);
  EXPECT_EQ(title.lineSpacing, 30);
  EXPECT_EQ(title.cursor, reinterpret_cast<ULONG_PTR>(IDC_HAND));
  EXPECT_EQ(title.skin, "shadow");
  EXPECT_EQ(title.alphaText, 254);
  EXPECT_EQ(registry.GetStyle("modify").textMode, 0x25u) << "DT_MODIFYSTRING is always cleared";

  const UxStyle& fallback = registry.GetStyle("no such class");
  EXPECT_EQ(&fallback, &registry.GetStyle(""));
  EXPECT_EQ(fallback.textMode, 0x28u);
  EXPECT_EQ(fallback.crDisabled, 0xCCCCCCu);
  EXPECT_EQ(fallback.crBg, CLR_INVALID);
}

TEST(UxStyles, UnknownCursorAndAttributesChangeNothing) {
  UxStyle style;
  EXPECT_EQ(style.SetAttribute("cursor", "wait", true), CUxObject::kFail);
  EXPECT_EQ(style.cursor, reinterpret_cast<ULONG_PTR>(IDC_ARROW));
  EXPECT_EQ(style.SetAttribute("nonsense", "1", true), CUxObject::kFail);
  EXPECT_EQ(style.SetAttribute("alphatxt", "200", true), CUxObject::kOk);
  EXPECT_EQ(style.alphaText, 200);
}

TEST(UxStrings, FirstDefinitionWinsAndReferencesAreReplaced) {
  UxString strings;
  ASSERT_TRUE(strings.LoadDocument("<string><s id=\"1\">\xe5\xbe\xae\xe8\xbd\xaf\xe9\x9b\x85\xe9\xbb\x91</s>"
                                   "<s id=\"1\">second</s><s id=\"2\">VIP</s></string>"));
  EXPECT_EQ(strings.Get(1), L"\u5fae\u8f6f\u96c5\u9ed1");
  EXPECT_EQ(strings.Get(9), L"");
  EXPECT_EQ(strings.Substitute(L"%str1%"), L"\u5fae\u8f6f\u96c5\u9ed1");
  EXPECT_EQ(strings.Substitute(L"a %str2% b %str9% c"), L"a VIP b  c");
  EXPECT_EQ(strings.Substitute(L"%str0% %str2%"), L"%str0% %str2%") << "scanning stops at a reference that is not positive";
  EXPECT_EQ(strings.Substitute(L"plain"), L"plain");
}

TEST(UxDocuments, NotXmlOrTheWrongRootLoadsNothing) {
  UxString strings;
  EXPECT_FALSE(strings.LoadDocument("not xml at all"));
  EXPECT_FALSE(strings.LoadDocument("<style><s id=\"1\">x</s></style>"));
  EXPECT_FALSE(strings.LoadDocument(std::string(100000, '<')));
  EXPECT_EQ(strings.Get(1), L"");
  UxStyleRegistry registry;
  EXPECT_FALSE(registry.LoadDocument("<string><class name=\"a\"/></string>"));
  EXPECT_FALSE(registry.Has("a"));
  EXPECT_FALSE(registry.LoadDocument("<style><class name=\"a\""));
}
