#pragma once

#include <functional>

#include "simulate/SimRandom.h"
#include "simulate/SimTally.h"
#include "simulate/SimWorld.h"
#include "vipCenterInfo/VipCenterTypes.h"

namespace simulate {

// The VIP-centre service as the module's own requester of the host type meets it: the requester
// builds and sends its POSTs (show ids, then the price of each show id) and parses the answers;
// the service answers each with the share the population gives, offering a normal and a coupon
// show id and the package the item asks for.
class SimVipCentre {
 public:
  using CountFn = std::function<void(RequestKind kind)>;

  // The refresh's price query for the world's install; 0 when the price was found.
  static int QueryPrice(SimWorld& world, int months, double answeredShare, SimRandom& random, const CountFn& count,
                        vipcenter::PayPriceInfo& price);

  static constexpr int kNormalShowId = 101;
  static constexpr int kCouponShowId = 102;
  static constexpr int kPayPrice = 69;
  static constexpr int kReferencePrice = 89;
};

}  // namespace simulate
