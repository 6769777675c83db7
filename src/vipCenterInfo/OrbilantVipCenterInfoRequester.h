#pragma once

#include "vipCenterInfo/VipCenterInfoRequester.h"

namespace vipcenter {

// The driver-utility host's VIP centre: the price request is signed and carries the product and
// try number as headers; no token in its body.
class OrbilantVipCenterInfoRequester final : public VipCenterInfoRequester {
 public:
  using VipCenterInfoRequester::VipCenterInfoRequester;

  std::wstring GetConfigInterfaceUrl() override;
  std::wstring GetPriceInterfaceUrl() override;
  std::wstring BuildConfigRequestBody() override;
  std::wstring BuildPriceRequestBody(int showId) override;
  Headers BuildPriceRequestHeaders(const std::wstring& body) override;
};

}  // namespace vipcenter
