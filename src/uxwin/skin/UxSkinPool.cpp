#include "uxwin/skin/UxSkinPool.h"

#include "uxwin/base/UxXmlDocument.h"

#include <cstring>

#include "uxwin/skin/CUxPngSkin.h"
#include "uxwin/skin/UxGdiplus.h"

UxSkinPool& UxSkinPool::Instance() {
  static UxSkinPool* const instance = new UxSkinPool();
  return *instance;
}

bool UxSkinPool::LoadDocument(const std::string& xml) {
  UxXmlDocument doc;
  const tinyxml2::XMLElement* root = doc.Parse(xml, "skins");
  if (!root) return false;
  UxGdiplus::Start();
  for (const tinyxml2::XMLElement* element = root->FirstChildElement(); element;
       element = element->NextSiblingElement()) {
    const char* name = element->Attribute("name");
    if (!name || skins_.count(name)) continue;
    std::unique_ptr<CUxSkinBase> skin;
    if (std::strcmp(element->Name(), "png") == 0) skin = std::make_unique<CUxPngSkin>();
    if (!skin) continue;
    skin->Load(element);
    skins_[name] = std::move(skin);
  }
  return true;
}

CUxSkinBase* UxSkinPool::GetSkin(const std::string& name) const {
  const auto found = skins_.find(name);
  return found == skins_.end() ? nullptr : found->second.get();
}
