#pragma once

#include <string>

#include "utils/ZIniReader.h"

namespace product {

// The host's "cfgdata\componentconfig.ini", or its scrambled twin "componentconfig.dat".
class ComponentConfig {
 public:
  // Loads whichever of the two exists in installationFolder; false when neither could be read.
  static bool Load(const std::wstring& installationFolder, qm::ZIniReader& reader);
};

}  // namespace product
