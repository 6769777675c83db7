#pragma once

#include <memory>

#include "vip/IPDFVipSdkAdapter.h"

namespace vip {

// What the facade needs of the host: its type, its current VIP product id and the adapter for a
// type (null when the type has none).
class IVipAdapterFactory {
 public:
  virtual ~IVipAdapterFactory() = default;
  virtual int HostType() = 0;
  virtual int CurrentVipProductId() = 0;
  virtual std::unique_ptr<IPDFVipSdkAdapter> Create(int hostType, int vipProductId) = 0;
};

}  // namespace vip
