#include "uxwin/style/UxStyleRegistry.h"

#include "uxwin/base/UxXmlDocument.h"


UxStyleRegistry& UxStyleRegistry::Instance() {
  static UxStyleRegistry* const instance = new UxStyleRegistry();
  return *instance;
}

bool UxStyleRegistry::LoadDocument(const std::string& xml) {
  UxXmlDocument doc;
  const tinyxml2::XMLElement* root = doc.Parse(xml, "style");
  if (!root) return false;
  for (const tinyxml2::XMLElement* element = root->FirstChildElement("class"); element;
       element = element->NextSiblingElement("class")) {
    const char* name = element->Attribute("name");
    if (!name || !*name) continue;
    auto& style = styles_[name];
    if (!style) style = std::make_unique<UxStyle>();
    style->Load(element);
  }
  return true;
}

UxStyle& UxStyleRegistry::GetStyle(const std::string& name) {
  const auto found = styles_.find(name);
  if (found != styles_.end()) return *found->second;
  auto& fallback = styles_[std::string()];
  if (!fallback) fallback = std::make_unique<UxStyle>();
  return *fallback;
}
