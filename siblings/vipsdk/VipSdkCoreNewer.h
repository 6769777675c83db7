#pragma once

#include "vipsdk/VipSdkCoreSlots.h"

namespace siblings {

// The newer generation's core interface ("vip_sdk_core_interface" unless the state says product line 2).
class VipSdkCoreNewer final : public VipSdkCoreSlots<vip_sdk::IVipSdkCoreInterface, vip_sdk::IUserInfoChangeListener> {
 public:
  VipSdkCoreNewer() : VipSdkCoreSlots(L"newer", vip_sdk::kCoreInterfaceName) {}

  int __stdcall GetAccountKind() override { return Neutral(L"GetAccountKind", 0); }
  bool __stdcall IsPermissionVip() override { return Neutral(L"IsPermissionVip", false); }
  int64_t __stdcall GetPermissionVipInfo() override { return Neutral<int64_t>(L"GetPermissionVipInfo", 0); }
  int64_t __stdcall GetExpirePermissionVipInfo() override { return Neutral<int64_t>(L"GetExpirePermissionVipInfo", 0); }
  bool __stdcall IsContinuous() override { return Neutral(L"IsContinuous", false); }
  int __stdcall GetCouponCount() override { return Neutral(L"GetCouponCount", 0); }
  bool __stdcall RefreshVipList() override { return Neutral(L"RefreshVipList", false); }
  bool __stdcall GetVipListJson(BSTR* json) override {
    const VipSdkState state = Record(L"GetVipListJson");
    return Hand(state.hasVipList, state.vipListJson, json);
  }
  bool __stdcall QueryExtendedInfo() override { return Record(L"QueryExtendedInfo").extended; }
};

}  // namespace siblings
