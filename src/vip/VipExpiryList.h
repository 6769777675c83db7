#pragma once

#include <cstdint>
#include <map>

namespace vip {

// The expiry of each VIP kind the SDK lists (kinds 2 and 3 are recorded).
struct VipExpiryList {
  std::map<int, int64_t> expiryByType;
};

}  // namespace vip
