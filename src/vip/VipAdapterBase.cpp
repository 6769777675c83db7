#include "vip/VipAdapterBase.h"

namespace vip {

VipUserInfo VipAdapterBase::GetUserInfo() {
  VipUserInfo info;
  return FillUserInfo(info) ? info : VipUserInfo{};
}

bool VipAdapterBase::IsTourist() {
  VipUserInfo info;
  return FillUserInfo(info) && info.is_tourist;
}

}  // namespace vip
