#pragma once

#include <string>
#include <vector>

#include "strategy/PopGate.h"

namespace strategy {

// The offer's checks. CanShow runs them in this order and stops at the first refusal; the
// background refresh asks three of them; the explainer evaluates them all.
class PopGateCatalog {
 public:
  static const std::vector<PopGate>& CanShowGates();
  static const std::vector<PopGate>& UpdateSourceGates();

  static PopGate Price();
  static PopGate Scene();
  static PopGate VantaEnabled();
  static PopGate NewlyInstalled();
  static PopGate ShownBefore();
  static PopGate AbTest();
  static PopGate AvoidTids();
  static PopGate ImagesValid();
  static PopGate OtherPopToday();
  static PopGate PopVersion();
  static PopGate Vip();

  // "yyyy-mm-dd hh:mm:ss" in local time, after the seconds.
  static std::wstring DescribeTime(long long seconds);
};

}  // namespace strategy
