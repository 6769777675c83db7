#pragma once

#include <memory>
#include <string>

#include "HttpTestProduct.h"
#include "vipCenterInfo/VipCenterInfoRequester.h"

namespace testing_support {

// Requesters of host type 1 or 2 whose endpoints the domain transfer points at one scenario of
// the local service (the Tessik host's under ".../t/", the Orbilant host's under ".../o/").
class VipCenterTestHost {
 public:
  // serviceBase: the service's "http://127.0.0.1:PORT/s/<scenario>~<tag>/".
  std::unique_ptr<vipcenter::VipCenterInfoRequester> Requester(int hostType, const std::wstring& serviceBase,
                                                               int tryno = 7);
  HttpTestProduct& product() { return *product_; }

 private:
  std::unique_ptr<HttpTestProduct> product_;
};

}  // namespace testing_support
