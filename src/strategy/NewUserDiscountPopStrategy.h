#pragma once

#include <string>
#include <vector>

#include "strategy/IPopReporter.h"
#include "strategy/IPopStrategyWorld.h"
#include "strategy/PopGate.h"
#include "strategy/PopGateExplanation.h"

namespace strategy {

// What CanShow decided. qa: the machine is listed in the item's qa_uuids, so the audience checks
// were passed over; such a show sends no records and leaves the shown-before state alone.
struct PopDecision {
  bool show = false;
  bool qa = false;
  const PopGate* refusedBy = nullptr;  // the refusing gate when show is false
};

// Whether the new-user discount pop-up may show at an exit scene, and whether refreshing its price
// and images is worth doing. Holds no state: every call reads the world afresh.
class NewUserDiscountPopStrategy {
 public:
  // reporter may be null: refusals are then only logged.
  NewUserDiscountPopStrategy(IPopStrategyWorld& world, IPopReporter* reporter) : world_(world), reporter_(reporter) {}

  bool CanShow(int scene) { return Decide(scene).show; }
  PopDecision Decide(int scene);
  bool IsNeedUpdateSource();
  // Every gate of CanShow in its order, none skipped, nothing logged or reported.
  std::vector<PopGateExplanation> Explain(int scene);
  // Whether the item (its text) lists this machine in qa_uuids; log: one INFO line when listed,
  // and one WARNING line per malformed entry the first time a list is seen in this process.
  bool IsQaMachine(const std::wstring& rawItem, bool log);

  // "new_user_discount_%d" with the try number.
  static std::wstring ConfigKey(int tryno);

 private:
  PopDecision RunCanShow(int scene);
  void Refuse(const PopGate& gate, bool withoutRecord);
  static void PassOver(const PopGate& gate);
  static void WarnMalformedOnce(const std::wstring& list, const std::vector<std::wstring>& malformed);

  IPopStrategyWorld& world_;
  IPopReporter* reporter_;
};

}  // namespace strategy
