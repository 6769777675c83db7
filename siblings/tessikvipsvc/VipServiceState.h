#pragma once

#include <cstdint>
#include <string>

#include "family/SheerIpc.h"

namespace siblings {

// The account the VIP service reports, read anew from the VIP state file:
//   {"open_id": "...", "token": "...", "nick_name": "...", "vip_type": 2, "vaild_date": 20301231,
//    "from": 3, "is_logout": 0, "is_tourist": 0, "avatar": "...", "is_continuous": 1,
//    "query_ret": 0, "omit_ret": false}
// A missing or unreadable file is a logged-out user. query_ret is the "ret" of the queries;
// omit_ret leaves "ret" out of their answers.
struct VipServiceState {
  std::wstring openId;
  std::wstring token;
  std::wstring nickName;
  std::wstring avatar;
  int32_t vipType = 0;
  int32_t vaildDate = 0;
  int32_t from = 0;
  int32_t isLogout = 1;
  int32_t isTourist = 0;
  int32_t isContinuous = 0;
  int32_t queryRet = 0;
  bool omitRet = false;

  // The user's keys (and "ret" unless left out).
  void Fill(tandipc::ITandIpcBundle& bundle, bool withRet) const;

  static VipServiceState Read();
};

}  // namespace siblings
