#pragma once

#include <set>

#include "vip/IPDFVipUserInfoListener.h"
#include "vip/VipCriticalSection.h"
#include "vip/VipUserInfo.h"

namespace vip {

// An adapter's user-info listeners. Notify runs on the SDK's, the IPC library's or the account
// library's own thread: no listener's exception may travel back into it, and one listener that
// throws must not keep the others from hearing of the change. The lock is held while they are
// told, so that once Clear returns no listener is called again.
class VipListenerSet {
 public:
  VipListenerSet() = default;
  VipListenerSet(const VipListenerSet&) = delete;
  VipListenerSet& operator=(const VipListenerSet&) = delete;

  // A null listener is ignored.
  void Add(IPDFVipUserInfoListener* listener);
  void Remove(IPDFVipUserInfoListener* listener);
  void Clear();
  size_t Count();
  void Notify(const VipUserInfo& info) noexcept;

 private:
  VipCriticalSection lock_;
  std::set<IPDFVipUserInfoListener*> listeners_;  // under lock_
};

}  // namespace vip
