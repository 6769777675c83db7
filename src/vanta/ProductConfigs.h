#pragma once

#include "vanta/IdentityPlan.h"
#include "vanta/VantaIdentityReader.h"

namespace vanta {

// The Wystan PDF product line's identity (every host type but 1 and 2).
struct ZWystanProductConfig {
  static IdentityPlan Plan(VantaIdentityReader& reader);
};

// The driver-utility host's identity (host type 2).
struct ZObProductConfig {
  static IdentityPlan Plan(VantaIdentityReader& reader);
};

// The antivirus host's identity (host type 1).
struct ZTessikProductConfig {
  static IdentityPlan Plan(VantaIdentityReader& reader);
};

}  // namespace vanta
