// Inputs shaped to make a parser slow or to break a round trip. Each of these took seconds to
// minutes before; they must finish well inside the test time-out.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "TestFiles.h"
#include "utils/UxJson.h"
#include "utils/ZIniReader.h"
#include "utils/ZIniWrapEx.h"
#include "uxwin/layout/UxPosition.h"
#include "uxwin/object/CUxDialog.h"
#include "uxwin/style/UxString.h"

using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

// One header with a very long name, then many short pairs under it.
std::string LongSectionNameIni(size_t nameLength, size_t pairs) {
  std::string text = "[" + std::string(nameLength, 'a') + "]\n";
  text.reserve(text.size() + pairs * 4);
  for (size_t i = 0; i < pairs; ++i) text += "k=v\n";
  return text + "last=1\n";
}

}  // namespace

TEST(HostileIni, PairsUnderALongSectionNameCostTheirOwnLength) {
  TempDir dir;
  const std::wstring path = dir.File(L"long.ini");
  // 512 KiB: a 262,144-character name and 65,536 pairs.
  ASSERT_TRUE(WriteBytes(path, LongSectionNameIni(262144, 65536)));
  const std::wstring section(262144, L'A');

  qm::ZIniReader reader;
  EXPECT_TRUE(reader.Load(path));
  EXPECT_EQ(reader.GetInt(section, L"last", 0), 1);
  EXPECT_EQ(reader.GetString(section, L"k", L""), L"v");

  qm::ZIniWrapEx state;
  ASSERT_TRUE(state.Load(path));
  ASSERT_NE(state.Find(section, L"LAST"), nullptr);
  EXPECT_EQ(state.Sections().size(), 1u);
}

TEST(HostileStrings, ManyReferencesAreReplacedInOnePass) {
  UxString strings;
  ASSERT_TRUE(strings.LoadDocument("<string><s id=\"1\">ab</s><s id=\"2\">%str1%</s></string>"));
  std::wstring text;
  for (int i = 0; i < 150000; ++i) text += L"%str1%";
  const std::wstring result = strings.Substitute(text);
  ASSERT_EQ(result.size(), 300000u);
  EXPECT_EQ(result.substr(0, 6), L"ababab");
  // Replacements are not scanned again; a reference that is not positive ends the scan.
  EXPECT_EQ(strings.Substitute(L"x%str2%y%str9%z"), L"x%str1%yz");
  EXPECT_EQ(strings.Substitute(L"%str1%-%str0%-%str1%"), L"ab-%str0%-%str1%");
  EXPECT_EQ(strings.Substitute(L"%str1 and no end"), L"%str1 and no end");
}

TEST(HostileXml, CharacterReferencesWithoutTheirSemicolonStayLinear) {
  std::string xml = "<string><s id=\"1\">";
  for (int i = 0; i < 131072; ++i) xml += "&#";
  xml += "</s><s id=\"2\">";
  for (int i = 0; i < 65536; ++i) xml += "&#x";
  xml += "</s><s id=\"3\">&#65;&#x4e2d;&#0000000065;</s></string>";
  UxString strings;
  ASSERT_TRUE(strings.LoadDocument(xml));
  // Kept as literal text (the library drops the "&" of a final "&#" with nothing after it).
  EXPECT_EQ(strings.Get(1).substr(0, 6), L"&#&#&#");
  EXPECT_GE(strings.Get(1).size(), 262143u);
  EXPECT_EQ(strings.Get(2).size(), 196608u);
  EXPECT_EQ(strings.Get(3), L"A\u4e2dA") << "real references still decode";
}

TEST(HostileJson, RawNulInAStringIsRefusedByBothModels) {
  const std::wstring text(L"\"a\0b\"", 5);
  qm::UxJson::Document narrow;
  EXPECT_FALSE(narrow.Parse(L"[" + text + L"]"));
  EXPECT_NE(narrow.GetError().code, qm::json::kErrorNone);
  EXPECT_FALSE(narrow.Parse(text));
  UxJsonEx::Document wide;
  EXPECT_FALSE(wide.Parse(L"{\"k\":" + text + L"}"));
  EXPECT_FALSE(wide.Parse(text));
}

TEST(HostilePositions, WidthsAndHeightsSaturateInsteadOfOverflowing) {
  UxWin::UxPosition position = UxWin::UxPosition::Parse("1,0,w2147483647,0");
  ASSERT_EQ(position.count, 4);
  EXPECT_EQ(position.items[2].value, INT32_MAX);
  position = UxWin::UxPosition::Parse("--5,--7,w-2147483648,h-2147483648");  // "-" first: from the end
  EXPECT_EQ(position.items[2].value, INT32_MIN);
  EXPECT_EQ(position.items[3].value, INT32_MIN);
  position = UxWin::UxPosition::Parse("10,20,w30,h40");
  EXPECT_EQ(position.items[2].value, 40);
  EXPECT_EQ(position.items[3].value, 60);

  UxWin::UxPosition::Item item;
  item.value = INT32_MAX;
  EXPECT_EQ(CUxDialog::Resolve(item, 100, 200), INT32_MAX);
  item.fromEnd = true;
  item.value = INT32_MIN;
  EXPECT_EQ(CUxDialog::Resolve(item, 0, 10), INT32_MAX);
  item.fromCentre = true;
  item.value = INT32_MAX;
  EXPECT_EQ(CUxDialog::Resolve(item, INT32_MIN, INT32_MAX), INT32_MIN);
}
