#include "vip/VipListenerSet.h"

namespace vip {

void VipListenerSet::Add(IPDFVipUserInfoListener* listener) {
  if (!listener) return;
  VipCriticalSection::Hold hold(lock_);
  listeners_.insert(listener);
}

void VipListenerSet::Remove(IPDFVipUserInfoListener* listener) {
  if (!listener) return;
  VipCriticalSection::Hold hold(lock_);
  listeners_.erase(listener);
}

void VipListenerSet::Clear() {
  VipCriticalSection::Hold hold(lock_);
  listeners_.clear();
}

size_t VipListenerSet::Count() {
  VipCriticalSection::Hold hold(lock_);
  return listeners_.size();
}

void VipListenerSet::Notify(const VipUserInfo& info) noexcept {
  VipCriticalSection::Hold hold(lock_);
  for (IPDFVipUserInfoListener* listener : listeners_) {
    try {
      listener->OnVipUserInfoChanged(info);
    } catch (...) {
    }
  }
}

}  // namespace vip
