#pragma once

#include <map>
#include <memory>
#include <string>

#include "uxwin/style/UxStyle.h"

// The style document's classes by name. A missing or empty name gives the style registered
// under the empty name, which has every default.
class UxStyleRegistry {
 public:
  static UxStyleRegistry& Instance();

  // Root "style", children "class" with a non-empty "name"; a later class of the same name updates
  // only the attributes it sets. False when the text is not XML or the root is another element.
  bool LoadDocument(const std::string& xml);
  UxStyle& GetStyle(const std::string& name);
  bool Has(const std::string& name) const { return styles_.count(name) > 0; }

 private:
  std::map<std::string, std::unique_ptr<UxStyle>> styles_;
};
