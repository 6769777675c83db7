#pragma once

#include <cstdint>
#include <string>

#include "simulate/SimPopulation.h"

namespace simulate {

// One run: the item, who the installs are, how many for how long.
struct SimSettings {
  std::wstring itemText;
  SimPopulation population;
  uint64_t installs = 100000;
  int days = 30;
  uint64_t seed = 1;
  int threads = 0;  // 0: one per core
  // The first simulated day's local midnight on the simulated clock: Monday 2027-01-04.
  int64_t firstMidnight = 1799020800;

  static constexpr int kExitScene = 1;  // the host's exit scene the offer waits for
};

}  // namespace simulate
