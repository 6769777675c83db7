#pragma once

#include <map>
#include <memory>
#include <string>

#include "uxwin/skin/CUxSkinBase.h"

// The skins document's skins by name; the first definition of a name is kept. Skin kinds this
// engine does not draw (the pop-up uses "png" only) are ignored like unknown tags.
class UxSkinPool {
 public:
  static UxSkinPool& Instance();

  bool LoadDocument(const std::string& xml);  // root "skins"
  CUxSkinBase* GetSkin(const std::string& name) const;

 private:
  std::map<std::string, std::unique_ptr<CUxSkinBase>> skins_;
};
