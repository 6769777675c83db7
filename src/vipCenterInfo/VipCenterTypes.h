#pragma once

namespace vipcenter {

// Show ids of one device from the config interface; 0 means absent.
struct ShowIdInfo {
  int normal = 0;
  int coupon = 0;
};

// One entry of "pay_price_settings"; 0 when absent or not an integer.
struct PriceEntry {
  int currentPrice = 0;
  int price = 0;
};

// What the pop-up shows: the price paid now and the normal offer's price, whole currency
// units. The pop-up sets valid from the query's result.
struct PayPriceInfo {
  int payPrice = 0;
  int referencePrice = 0;
  bool valid = false;
};

}  // namespace vipcenter
