#pragma once

#include "simulate/SimTally.h"
#include "strategy/IPopReporter.h"

namespace simulate {

// Where the strategy's refusals send their records: counted by reason, sent nowhere.
class SimRecordCounter final : public strategy::IPopReporter {
 public:
  explicit SimRecordCounter(SimTally& tally) : tally_(tally) {}
  void ReportNoShow(int reason) override { ++tally_.records[static_cast<size_t>(reason) & 15]; }

 private:
  SimTally& tally_;
};

}  // namespace simulate
