#pragma once

#include <memory>

#include "FuzzTarget.h"
#include "vipCenterInfo/TessikVipCenterInfoRequester.h"

namespace hardening {

// The VIP-centre answers as they come off the wire (UTF-8 bytes, decoded as the request does),
// through both answer parsers. Checks against the answer read a second way: the show ids of the
// first entry of the device, the first price entry of the month, the documented result codes,
// and no values left behind by a failure.
class VipCenterFuzzTarget final : public FuzzTarget {
 public:
  VipCenterFuzzTarget();
  const char* Name() const override { return "vipcenter"; }
  std::vector<std::string> Corpus() override;
  std::vector<std::string> Tokens() const override;
  std::vector<std::string> Openers() const override { return {"{\"data\":[", "[", "{\"pay_price_settings\":[{\"x\":"}; }
  FuzzVerdict Run(const std::string& input) override;

 private:
  std::unique_ptr<vipcenter::TessikVipCenterInfoRequester> requester_;
  size_t runs_ = 0;
};

}  // namespace hardening
