#pragma once

#include "vip/VipUserInfo.h"

namespace vip {

// Told when the user's account changes, on the VIP component's own thread while it holds its
// listener lock: a listener must not call back into the VIP facade from there.
class IPDFVipUserInfoListener {
 public:
  virtual ~IPDFVipUserInfoListener() = default;
  virtual void OnVipUserInfoChanged(const VipUserInfo& info) = 0;
};

}  // namespace vip
