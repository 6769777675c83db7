#pragma once

#include "vip/IVipAdapterFactory.h"

namespace vip {

// The process's host: the product record, the channel reader's VIP product id, and the state
// source of its type: the VIP service over IPC (1), the SDK library loaded from the installation
// folder (2 to 5), the browser's account library (7).
class VipAdapterFactory final : public IVipAdapterFactory {
 public:
  int HostType() override;
  int CurrentVipProductId() override;
  std::unique_ptr<IPDFVipSdkAdapter> Create(int hostType, int vipProductId) override;
};

}  // namespace vip
