#pragma once

#include <windows.h>

#include <string>

#include "family/Tallo.h"
#include "vipsdktallo/VipTalloInterface.h"

namespace siblings {

// A VIP SDK root that serves both reporting interfaces and accepts finished records (slot 13),
// and hands every other name to the VIP SDK stand-in copied beside it as "vipsdkcore.dll". A file
// "vipsdktallo.fail" beside it makes every submit fail.
class VipTalloRoot final : public vip_sdk::IVipSdkRecordRoot {
 public:
  void* __stdcall DeletingDestructor(unsigned int) override { return this; }  // the library's own
  const char* __stdcall InterfaceName() override { return "vip_sdk_root"; }
  vip_sdk::IBaseInterface* __stdcall QueryInterface(const char* name) override;
  int __stdcall RootSlot3() override { return 0; }
  int __stdcall RootSlot4() override { return 0; }
  int __stdcall RootSlot5() override { return 0; }
  int __stdcall RootSlot6() override { return 0; }
  int __stdcall RootSlot7() override { return 0; }
  int __stdcall RootSlot8() override { return 0; }
  int __stdcall RootSlot9() override { return 0; }
  int __stdcall RootSlot10() override { return 0; }
  int __stdcall RootSlot11() override { return 0; }
  int __stdcall RootSlot12() override { return 0; }
  int __stdcall SubmitRecord(vip_sdk::TalloRecord* record) override;

  // "vipsdktallo.behaviour" beside the library, read once: "null-object" (GetInterface succeeds
  // without a root), "fail" (it refuses), "no-component" (the root hands out nothing).
  static std::string Behaviour();

  static VipTalloRoot& Instance();

 private:
  vip_sdk::IBaseInterface* CoreRoot();

  VipTalloInterface newer_{vip_sdk::kTalloInterfaceName};
  VipTalloInterface older_{vip_sdk::kTessikTalloInterfaceName};
  HMODULE core_ = nullptr;
  vip_sdk::IBaseInterface* coreRoot_ = nullptr;
};

}  // namespace siblings
