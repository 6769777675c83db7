#pragma once

#include <string>

#include "product/HostSystem.h"

namespace diagnostics {

// What the module detects about its host, as one JSON object: what a support engineer looks at
// first on a user's machine.
class ProductDiagnostics {
 public:
  static std::wstring Describe(product::HostSystem& system);
};

}  // namespace diagnostics
