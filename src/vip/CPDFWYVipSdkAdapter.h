#pragma once

#include "vip/CPDFNewVipSdkAdapter.h"

namespace vip {

// The Wystan host (type 3): purchases open the main page, and the SDK's extended state is read
// from interface version 8 on.
class CPDFWYVipSdkAdapter final : public CPDFNewVipSdkAdapter {
 public:
  CPDFWYVipSdkAdapter(int vipProductId, vip_sdk::IBaseInterface* root, int productLine, VipPageLauncher launcher);

  bool QueryExtendedState() override;
};

}  // namespace vip
