#pragma once

#include <cstdint>
#include <string>

namespace vip {

// The user record every adapter fills.
struct VipUserInfo {
  std::wstring open_id;
  std::wstring token;
  std::wstring nick_name;
  int32_t vip_type = 0;  // above 0: a VIP kind is set
  int32_t from = 0;
  int32_t vaild_date = 0;  // for SDK hosts the low half of vip_ex_date
  bool is_logout = false;
  std::wstring avatar;
  int64_t vip_ex_date = 0;
  int64_t permission_vip_info = 0;
  int64_t expire_permission_vip_info = 0;
  bool is_tourist = false;
  bool is_continuous = false;

  bool operator==(const VipUserInfo&) const = default;
};

}  // namespace vip
