#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "CollidingKeys.h"
#include "utils/UxJson.h"

namespace {

std::wstring Compact(const qm::json::Handle& handle) {
  std::wstring out;
  handle.Write(out, false);
  return out;
}

}  // namespace

TEST(Json, ReadsContainersScalarsAndEscapes) {
  qm::UxJson::Document doc;
  ASSERT_TRUE(doc.Parse(L"{ \"a\" : [ 1 , -2, \"x\\/y\" ,true,null, {}, [ ] ],\r\n\t\"b\":\"\\u00e9\\u4e2D\\n\"}"));
  EXPECT_EQ(doc.Type(), qm::UxJson::kObject);
  const auto a = doc.Get(L"a");
  ASSERT_EQ(a.Size(), 7u);
  EXPECT_EQ(a.At(0).AsInt(), 1);
  EXPECT_EQ(a.At(1).AsInt(), -2);
  EXPECT_EQ(a.At(2).AsString(), L"x/y");
  EXPECT_TRUE(a.At(3).AsBool());
  EXPECT_EQ(a.At(4).Type(), qm::UxJson::kNull);
  EXPECT_EQ(a.At(5).Type(), qm::UxJson::kObject);
  EXPECT_EQ(a.At(6).Type(), qm::UxJson::kArray);
  EXPECT_EQ(doc.Get(L"b").AsString(), L"\u00e9\u4e2d\n");
  // Written back: é escaped, the Chinese character as itself, "/" escaped.
  EXPECT_EQ(Compact(doc), L"{\"a\":[1,-2,\"x\\/y\",true,null,{},[]],\"b\":\"\\u00e9\u4e2d\\n\"}");
}

TEST(Json, NumberMembersAreNotText) {
  qm::UxJson::Document doc;
  ASSERT_TRUE(doc.Parse(L"{\"price\":\"19\",\"count\":19}"));
  EXPECT_EQ(doc.Get(L"price").AsString(), L"19");
  EXPECT_EQ(doc.Get(L"count").AsString(), L"");
  EXPECT_EQ(doc.Get(L"count").AsInt(), 19);
  EXPECT_EQ(doc.Get(L"missing").AsString(L"dflt"), L"dflt");
}

TEST(Json, IntegerWidthsDifferBetweenGenerations) {
  qm::UxJson::Document narrow;
  ASSERT_TRUE(narrow.Parse(L"[4294967296, -0, 0007]"));
  EXPECT_EQ(narrow.At(0).AsInt64(), 0);
  EXPECT_EQ(narrow.At(1).AsInt(), 0);
  EXPECT_EQ(narrow.At(2).AsInt(), 7);
  UxJsonEx::Document wide;
  ASSERT_TRUE(wide.Parse(L"[4294967296]"));
  EXPECT_EQ(wide.At(0).AsInt64(), 4294967296LL);
  EXPECT_EQ(wide.At(0).Type(), UxJsonEx::kLongLong);
  EXPECT_EQ(wide.Type(), UxJsonEx::kArray);
  EXPECT_EQ(Compact(wide), L"[4294967296]");
}

TEST(Json, RootKindsAreTriedInOrderAndTrailingTextIgnored) {
  qm::UxJson::Document doc;
  ASSERT_TRUE(doc.Parse(L"12.5"));
  EXPECT_EQ(doc.AsInt(), 12);
  ASSERT_TRUE(doc.Parse(L"true and more"));
  EXPECT_TRUE(doc.AsBool());
  ASSERT_TRUE(doc.Parse(L"\"s\" x"));
  EXPECT_EQ(doc.AsString(), L"s");

  EXPECT_FALSE(doc.Parse(L"  true"));
  EXPECT_EQ(doc.GetError().code, qm::json::kErrorObjectExpected);
  EXPECT_FALSE(doc.IsValid());
}

TEST(Json, ErrorsCarryCodeLineAndColumn) {
  struct Case {
    const wchar_t* text;
    int code;
    int line;
    int column;
  };
  const Case cases[] = {
      // At the root every kind is tried and the object attempt's error is the one kept.
      {L"[1.5]", qm::json::kErrorObjectExpected, 1, 1},
      {L"{\"a\":[1.5]}", qm::json::kErrorElementFailed, 1, 8},
      {L"{\"a\":1,\n  \"b\" 2}", qm::json::kErrorSeparatorExpected, 2, 7},
      {L"{\"a\":\"\\q\"}", qm::json::kErrorElementFailed, 1, 9},
      {L"{\"a\":\"open", qm::json::kErrorElementFailed, 1, 11},
      {L"{\"a\":-}", qm::json::kErrorElementFailed, 1, 7},
      {L"{a:1}", qm::json::kErrorQuoteExpected, 1, 2},
      {L"{\"a\":\"\\u0000\"}", qm::json::kErrorElementFailed, 1, 9},
      {L"x", qm::json::kErrorObjectExpected, 1, 1},
  };
  for (const auto& c : cases) {
    qm::UxJson::Document doc;
    EXPECT_FALSE(doc.Parse(c.text)) << c.text;
    EXPECT_EQ(doc.GetError().code, c.code) << c.text;
    EXPECT_EQ(doc.GetError().line, c.line) << c.text;
    EXPECT_EQ(doc.GetError().column, c.column) << c.text;
  }
  qm::UxJson::Document lone;
  EXPECT_FALSE(lone.Parse(L"-"));
}

TEST(Json, HandlesConvertAndBuildDocuments) {
  qm::UxJson::Document doc;
  doc[L"user"][L"name"] = L"\u5f20\u4e09";
  doc[L"user"][L"id"] = 42;
  doc[L"list"][2] = true;
  doc[L"text"] = static_cast<const wchar_t*>(nullptr);
  EXPECT_EQ(Compact(doc), L"{\"user\":{\"name\":\"\u5f20\u4e09\",\"id\":42},\"list\":[null,null,true],\"text\":\"\"}");

  // A string member turned into an object by member access.
  doc[L"text"][L"inner"] = L"x";
  EXPECT_EQ(doc.Get(L"text").Get(L"inner").AsString(), L"x");
  auto list = doc[L"list"];
  EXPECT_TRUE(list.Resize(1));
  EXPECT_EQ(Compact(list), L"[null]");
  EXPECT_FALSE(doc[L"list"][-1].IsValid());

  std::wstring pretty;
  qm::UxJson::Document small;
  small[L"k"] = 1;
  small.Write(pretty, true);
  EXPECT_EQ(pretty, L"{\r\n    \"k\" : 1\r\n}");
}

TEST(Json, InvalidHandleStaysInvalidAndIgnoresAssignment) {
  qm::json::Handle invalid = qm::json::Handle::Invalid();
  EXPECT_FALSE(invalid[L"a"][3][L"b"].IsValid());
  invalid = L"text";
  EXPECT_FALSE(invalid.IsValid());
  EXPECT_EQ(invalid.Type(), 0);
  EXPECT_FALSE(qm::json::Handle::Invalid().IsValid());

  // A scalar root's member access converts the root itself.
  qm::UxJson::Document doc;
  ASSERT_TRUE(doc.Parse(L"5"));
  doc[L"a"] = 1;
  EXPECT_EQ(Compact(doc), L"{\"a\":1}");
}

TEST(JsonBadInput, DeepNestingFailsWithItsOwnCode) {
  for (const wchar_t open : {L'[', L'{'}) {
    std::wstring deep(100000, open);
    if (open == L'{') {
      deep.clear();
      for (int i = 0; i < 100000; ++i) deep += L"{\"a\":";
    }
    qm::UxJson::Document doc;
    EXPECT_FALSE(doc.Parse(deep));
    EXPECT_EQ(doc.GetError().code, qm::json::kErrorTooDeep);
  }
  std::wstring fine;
  for (int i = 0; i < 500; ++i) fine += L"[";
  for (int i = 0; i < 500; ++i) fine += L"]";
  qm::UxJson::Document doc;
  EXPECT_TRUE(doc.Parse(fine));
}

// Keys chosen to share one std::hash value cost an object's index nothing more than other keys
// (the time is in bench_parsers); here: they read back, in order, with the usual rules.
TEST(BoundaryJson, KeysSharingOneHashParseLookUpAndKeepTheirOrder) {
  const std::vector<std::wstring> keys = test_keys::CollidingKeys(11);
  std::set<size_t> hashes;
  for (const auto& key : keys) hashes.insert(std::hash<std::wstring>()(key));
  ASSERT_EQ(hashes.size(), 1u) << "the keys must collide for the case to mean anything";
  std::wstring text = L"{";
  for (size_t i = 0; i < keys.size(); ++i) text += L"\"" + keys[i] + L"\":" + std::to_wstring(i) + L",";
  text += L"\"" + keys[5] + L"\":-1}";  // a repeated key keeps the later value and its first place
  for (const bool wide : {false, true}) {
    qm::json::Document doc(wide ? qm::json::kDialect64 : qm::json::kDialect32);
    ASSERT_TRUE(doc.Parse(text));
    ASSERT_EQ(doc.Size(), keys.size());
    EXPECT_EQ(doc.Keys(), keys);
    for (size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(doc.Get(keys[i]).AsInt64(), i == 5 ? -1 : int64_t(i)) << i;
    EXPECT_FALSE(doc.Get(keys[0].substr(1) + keys[0][0]).IsValid());
  }
}
