#pragma once

#include "vip/CPDFNewVipSdkAdapter.h"

namespace vip {

// The driver-utility host (type 2): VIP product id 2, its own purchase address, and the page
// program started with raised rights when the host does not run as an administrator.
class CPDFOBVipSdkAdapter final : public CPDFNewVipSdkAdapter {
 public:
  static constexpr int kVipProductId = 2;

  CPDFOBVipSdkAdapter(vip_sdk::IBaseInterface* root, int productLine, VipPageLauncher launcher)
      : CPDFNewVipSdkAdapter(kVipProductId, root, productLine, launcher) {}

 protected:
  std::wstring PurchaseUrl(int tryno, const std::wstring& query) const override;
  bool StartPage(const std::wstring& arguments) const override { return launcher().StartRaisedUnlessAdmin(arguments); }
};

}  // namespace vip
