#include <gtest/gtest.h>

#include <tinyxml2.h>

#include <string>

// The XML parser the skin engine reads its documents with, built from Debian's sources.
TEST(TinyXml2, ParsesUtf8DocumentsAndRejectsGarbage) {
  tinyxml2::XMLDocument doc;
  ASSERT_EQ(doc.Parse("<strings><string id=\"1\">\xe5\xbe\xae\xe8\xbd\xaf\xe9\x9b\x85\xe9\xbb\x91</string></strings>"),
            tinyxml2::XML_SUCCESS);
  const tinyxml2::XMLElement* string = doc.RootElement()->FirstChildElement("string");
  ASSERT_NE(string, nullptr);
  EXPECT_EQ(string->IntAttribute("id"), 1);
  EXPECT_STREQ(string->GetText(), "\xe5\xbe\xae\xe8\xbd\xaf\xe9\x9b\x85\xe9\xbb\x91");

  EXPECT_NE(doc.Parse("<a><b></a>"), tinyxml2::XML_SUCCESS);
  EXPECT_NE(doc.Parse(std::string(100000, '<').c_str()), tinyxml2::XML_SUCCESS);
}
