#pragma once

#include <cstdint>

#include "family/SheerIpc.h"

namespace sheer_vip {

// Serves the VIP service's account-change notification on the module's own channel.
class IUserInfoChange {
 public:
  virtual int32_t OnUserInfoChange(tandipc::ITandIpcBundle* request, tandipc::ITandIpcBundle* response) = 0;

 protected:
  ~IUserInfoChange() = default;
};

}  // namespace sheer_vip
