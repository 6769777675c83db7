#pragma once

#include "vipsdk/VipSdkCoreSlots.h"

namespace siblings {

// The older generation's core interface (product line 2).
class VipSdkCoreOlder final
    : public VipSdkCoreSlots<vip_sdk_ablo::IVipSdkCoreInterface, vip_sdk_ablo::IUserInfoChangeListener> {
 public:
  VipSdkCoreOlder() : VipSdkCoreSlots(L"older", vip_sdk_ablo::kCoreInterfaceOwnName) {}

  int __stdcall GetLegacyVipLevel() override { return Neutral(L"GetLegacyVipLevel", 0); }
};

}  // namespace siblings
