#pragma once

#include "family/VipSdk.h"

namespace vip {

// Registered with one SDK generation (its IUserInfoChangeListener) on behalf of one module
// listener. The SDK calls it on its own thread: nothing thrown may travel back into the SDK.
template <class SdkListener>
class UserInfoChangeBridge final : public SdkListener {
 public:
  explicit UserInfoChangeBridge(vip_sdk_pdf::IPdfUserInfoChangeListener* target) : target_(target) {}
  ~UserInfoChangeBridge() = default;

  void __stdcall OnUserInfoChange(int reason) override {
    try {
      if (target_) target_->OnUserInfoChange(reason);
    } catch (...) {
    }
  }
  void __stdcall OnLoginStateChange(bool loggedIn) override {
    try {
      if (target_) target_->OnLoginStateChange(loggedIn);
    } catch (...) {
    }
  }
  vip_sdk_pdf::IPdfUserInfoChangeListener* target() const { return target_; }

 private:
  vip_sdk_pdf::IPdfUserInfoChangeListener* target_;
};

}  // namespace vip
