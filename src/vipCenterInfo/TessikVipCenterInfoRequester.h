#pragma once

#include "vipCenterInfo/VipCenterInfoRequester.h"

namespace vipcenter {

// The antivirus host's VIP centre: no extra headers, the user's token in the price request.
class TessikVipCenterInfoRequester final : public VipCenterInfoRequester {
 public:
  using VipCenterInfoRequester::VipCenterInfoRequester;

  std::wstring GetConfigInterfaceUrl() override;
  std::wstring GetPriceInterfaceUrl() override;
  std::wstring BuildConfigRequestBody() override;
  std::wstring BuildPriceRequestBody(int showId) override;
  Headers BuildPriceRequestHeaders(const std::wstring& body) override;
};

}  // namespace vipcenter
