#pragma once

#include <string>

#include "vip/IPDFVipUserInfoListener.h"
#include "vip/VipExpiryList.h"
#include "vip/VipUserInfo.h"

namespace vip {

enum VipState : int { kVipStateLoggedOut = 1, kVipStateLoggedIn = 2, kVipStateVip = 3 };
enum VipPageType : int { kVipLoginPage = 1, kVipChargePage = 2, kVipMainPage = 3 };

// The user's VIP state in one kind of host. Queries ask the state source anew each time and never
// log; failures give the neutral answers (state 1, false, an empty record).
class IPDFVipSdkAdapter {
 public:
  virtual ~IPDFVipSdkAdapter() = default;                                                                 // 0
  virtual int GetVipState() = 0;                                                                          // 1
  virtual VipUserInfo GetUserInfo() = 0;                                                                  // 2
  virtual bool FillUserInfo(VipUserInfo& info) = 0;                                                       // 3
  virtual bool IsVip() = 0;                                                                               // 4
  virtual bool IsLogin() = 0;                                                                             // 5
  virtual bool IsTourist() = 0;                                                                           // 6
  virtual void SetOpenContext(int context) = 0;                                                           // 7
  virtual bool OpenVipPage(int pageType, int vipFrom, int fid) = 0;                                       // 8
  virtual bool OpenVipPageWithQuery(int pageType, int vipFrom, int fid, const std::wstring& /*query*/) {  // 9
    return OpenVipPage(pageType, vipFrom, fid);
  }
  virtual void AddUserInfoListener(IPDFVipUserInfoListener* listener) = 0;     // 10
  virtual void RemoveUserInfoListener(IPDFVipUserInfoListener* listener) = 0;  // 11
  virtual bool ReadVipExpiryList(VipExpiryList& list) = 0;                     // 12
  virtual int GetVipProductId() = 0;                                           // 13
  virtual bool QueryExtendedState() { return false; }                          // 14
};

}  // namespace vip
