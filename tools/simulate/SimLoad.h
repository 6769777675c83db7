#pragma once

#include <array>
#include <cstdint>

#include "simulate/SimTally.h"

namespace simulate {

// The requests a fleet sends, per second: the simulated installs stand for fleet installs.
struct SimLoad {
  std::array<double, kRequestKinds> mean{};    // over the whole run
  std::array<double, kRequestKinds> atPeak{};  // in the busiest UTC hour of the run
  int peakDay = 0;                              // 0-based
  int peakUtcHour = 0;

  static SimLoad Of(const SimTally& tally, uint64_t fleet);
  static double Sum(const std::array<double, kRequestKinds>& perKind);
};

}  // namespace simulate
