#include "uxwin/object/UxXmlDocument.h"

#include <cstring>

const tinyxml2::XMLElement* UxXmlDocument::Parse(const std::string& xml, const char* rootName) {
  if (doc_.Parse(xml.data(), xml.size()) != tinyxml2::XML_SUCCESS) return nullptr;
  const tinyxml2::XMLElement* root = doc_.RootElement();
  return root && std::strcmp(root->Name(), rootName) == 0 ? root : nullptr;
}
