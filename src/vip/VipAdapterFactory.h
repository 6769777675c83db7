#pragma once

#include "vip/IVipAdapterFactory.h"

namespace vip {

// The process's host: the product record, the channel reader's VIP product id and the SDK library
// loaded from the installation folder.
class VipAdapterFactory final : public IVipAdapterFactory {
 public:
  int HostType() override;
  int CurrentVipProductId() override;
  std::unique_ptr<IPDFVipSdkAdapter> Create(int hostType, int vipProductId) override;
};

}  // namespace vip
