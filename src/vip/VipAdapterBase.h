#pragma once

#include <cstddef>

#include "vip/IPDFVipSdkAdapter.h"
#include "vip/VipListenerSet.h"

namespace vip {

// What the per-host adapters share: the record and the tourist flag through FillUserInfo, the
// page context, the VIP product id, and the listeners told of account changes.
class VipAdapterBase : public IPDFVipSdkAdapter {
 public:
  explicit VipAdapterBase(int vipProductId) : vipProductId_(vipProductId) {}

  VipUserInfo GetUserInfo() override;
  bool IsTourist() override;
  void SetOpenContext(int context) override { openContext_ = context; }
  void AddUserInfoListener(IPDFVipUserInfoListener* listener) override { listeners_.Add(listener); }
  void RemoveUserInfoListener(IPDFVipUserInfoListener* listener) override { listeners_.Remove(listener); }
  // A host without an expiry list has nothing to read: that is no failure.
  bool ReadVipExpiryList(VipExpiryList&) override { return true; }
  int GetVipProductId() override { return vipProductId_; }
  size_t ListenerCount() { return listeners_.Count(); }

 protected:
  VipListenerSet& listeners() { return listeners_; }

 private:
  int openContext_ = 0;
  int vipProductId_;
  VipListenerSet listeners_;
};

}  // namespace vip
