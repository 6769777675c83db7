#pragma once

#include <functional>
#include <string>

namespace vipcenter {

// The logged-in user as the VIP-centre requests send it; both empty when nobody is logged in.
struct VipCenterUser {
  std::wstring openId;
  std::wstring token;
};

// Where the requests take the user from. Until a provider is connected (the VIP facade does it
// at start-up) there is no user.
class VipCenterUserSource {
 public:
  using Provider = std::function<VipCenterUser()>;

  // Replaces the process's provider; an empty one means no user.
  static void Connect(Provider provider);
  // The current user; empty when there is no provider or it fails.
  static VipCenterUser Current();
};

}  // namespace vipcenter
