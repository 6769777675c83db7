#pragma once

#include <string>

#include "vip/VipExpiryList.h"
#include "vip/VipUserInfo.h"

namespace vip {

// Reads the SDK's JSON answers (64-bit integers). Never logs: the VIP queries stay silent.
class VipUserInfoJson {
 public:
  // The user record of the SDK's user-info text, is_logout left as it is. False when the text is
  // not an object with "open_id" and "vip_type", or the open id or token is empty.
  static bool Parse(const std::wstring& text, VipUserInfo& info);
  // Records the "vip_ex_date" of the entries of VIP kind 2 and 3; false when the text is not an array.
  static bool ParseExpiryList(const std::wstring& text, VipExpiryList& list);
};

}  // namespace vip
