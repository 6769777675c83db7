#pragma once

#include "family/VipSdk.h"

namespace vip {

// Registered with the older SDK generation on behalf of one module listener.
class AbloUserInfoChangeListener final : public vip_sdk_ablo::IUserInfoChangeListener {
 public:
  explicit AbloUserInfoChangeListener(vip_sdk_pdf::IPdfUserInfoChangeListener* target) : target_(target) {}
  ~AbloUserInfoChangeListener() = default;

  void __stdcall OnUserInfoChange(int reason) override {
    if (target_) target_->OnUserInfoChange(reason);
  }
  void __stdcall OnLoginStateChange(bool loggedIn) override {
    if (target_) target_->OnLoginStateChange(loggedIn);
  }
  vip_sdk_pdf::IPdfUserInfoChangeListener* target() const { return target_; }

 private:
  vip_sdk_pdf::IPdfUserInfoChangeListener* target_;
};

}  // namespace vip
