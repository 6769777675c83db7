#pragma once

#include <array>
#include <cstdint>

#include "simulate/SimTally.h"

namespace simulate {

// The requests a fleet sends, per second: the simulated installs stand for fleet installs.
struct SimLoad {
  std::array<double, kRequestKinds> mean{};    // over the whole run
  std::array<double, kRequestKinds> atPeak{};  // in the busiest UTC hour of the run
  int peakDay = 0;                             // the UTC day: 1 is the first simulated day, 0 the one before it
  int peakUtcHour = 0;

  // Installs stand for fleet / installs each; the mean is over the run's days.
  static SimLoad Of(const SimTally& tally, uint64_t fleet, int days);
  static double Sum(const std::array<double, kRequestKinds>& perKind);
};

}  // namespace simulate
