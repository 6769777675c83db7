#pragma once

#include "family/VipSdk.h"

namespace vip {

// Registered with the newer SDK generation on behalf of one module listener.
class WystanUserInfoChangeListener final : public vip_sdk::IUserInfoChangeListener {
 public:
  explicit WystanUserInfoChangeListener(vip_sdk_pdf::IPdfUserInfoChangeListener* target) : target_(target) {}
  ~WystanUserInfoChangeListener() = default;

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
