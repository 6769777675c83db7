#include "uxwin/style/UxString.h"

#include "uxwin/base/UxXmlDocument.h"

#include <cwchar>

#include "uxwin/base/UxAttributeParser.h"

UxString& UxString::Instance() {
  static UxString* const instance = new UxString();
  return *instance;
}

bool UxString::LoadDocument(const std::string& xml) {
  UxXmlDocument doc;
  const tinyxml2::XMLElement* root = doc.Parse(xml, "string");
  if (!root) return false;
  for (const tinyxml2::XMLElement* element = root->FirstChildElement("s"); element;
       element = element->NextSiblingElement("s")) {
    if (!element->Attribute("id")) continue;
    strings_.emplace(UxWin::UxAttributeParser::Integer(element->Attribute("id")),
                     UxWin::UxAttributeParser::Text(element->GetText()));
  }
  return true;
}

std::wstring UxString::Get(int id) const {
  const auto found = strings_.find(id);
  return found == strings_.end() ? std::wstring() : found->second;
}

std::wstring UxString::Substitute(const std::wstring& text) const {
  // Built in one pass: replacing in place would move the rest of the text once per reference.
  std::wstring result;
  size_t from = 0;
  for (;;) {
    const size_t start = text.find(L"%str", from);
    if (start == std::wstring::npos) break;
    const size_t end = text.find(L'%', start + 4);
    if (end == std::wstring::npos) break;
    const int id = static_cast<int>(std::wcstol(text.c_str() + start + 4, nullptr, 10));
    if (id <= 0) break;
    result.append(text, from, start - from);
    result += Get(id);
    from = end + 1;
  }
  result.append(text, from, std::wstring::npos);
  return result;
}
