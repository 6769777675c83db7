#pragma once

#include "family/VipSdk.h"

namespace siblings {

// The library's root: hands out the core interface of the generation the state file names.
class VipSdkRoot final : public vip_sdk::IBaseInterface {
 public:
  void* __stdcall DeletingDestructor(unsigned int) override;  // the library's own: not destroyed
  const char* __stdcall InterfaceName() override;
  vip_sdk::IBaseInterface* __stdcall QueryInterface(const char* name) override;

  static VipSdkRoot& Instance();
};

}  // namespace siblings
