#pragma once

#include <string>
#include <vector>

#include "strategy/IPopReporter.h"
#include "strategy/IPopStrategyWorld.h"
#include "strategy/PopGate.h"
#include "strategy/PopGateExplanation.h"

namespace strategy {

// Whether the new-user discount pop-up may show at an exit scene, and whether refreshing its price
// and images is worth doing. Holds no state: every call reads the world afresh.
class NewUserDiscountPopStrategy {
 public:
  // reporter may be null: refusals are then only logged.
  NewUserDiscountPopStrategy(IPopStrategyWorld& world, IPopReporter* reporter) : world_(world), reporter_(reporter) {}

  bool CanShow(int scene);
  bool IsNeedUpdateSource();
  // Every gate of CanShow in its order, none skipped, nothing logged or reported.
  std::vector<PopGateExplanation> Explain(int scene);

  // "new_user_discount_%d" with the try number.
  static std::wstring ConfigKey(int tryno);

 private:
  bool RunCanShow(int scene);
  void Refuse(const PopGate& gate);

  IPopStrategyWorld& world_;
  IPopReporter* reporter_;
};

}  // namespace strategy
