#include "uxwin/base/UxXmlDocument.h"

#include <cstring>

#include "utils/Log.h"
#include "utils/TextEncoding.h"

const tinyxml2::XMLElement* UxXmlDocument::Parse(const std::string& xml, const char* rootName) {
  if (xml.empty()) {
    ZLOG(WARNING) << L"skin document <" << qm::encoding::Utf8ToWide(rootName) << L"> is empty or missing";
    return nullptr;
  }
  if (doc_.Parse(xml.data(), xml.size()) != tinyxml2::XML_SUCCESS) {
    ZLOG(WARNING) << L"skin document <" << qm::encoding::Utf8ToWide(rootName) << L"> does not parse: "
                  << qm::encoding::Utf8ToWide(doc_.ErrorName()) << L" at line " << doc_.ErrorLineNum();
    return nullptr;
  }
  const tinyxml2::XMLElement* root = doc_.RootElement();
  if (!root || std::strcmp(root->Name(), rootName) != 0) {
    ZLOG(WARNING) << L"skin document root is <" << qm::encoding::Utf8ToWide(root ? root->Name() : "") << L">, not <"
                  << qm::encoding::Utf8ToWide(rootName) << L">";
    return nullptr;
  }
  return root;
}
