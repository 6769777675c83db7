#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "simulate/SimSettings.h"
#include "simulate/SimTally.h"

namespace simulate {

// Runs every install of a setting, split over threads in blocks; each install draws from its own
// random stream, so the whole is the same for a seed whatever the threads and their timing.
class FleetSimulator {
 public:
  // Called from the calling thread about once a second while the run lasts, with installs done.
  using ProgressFn = std::function<void(uint64_t done, uint64_t total)>;

  static SimTally Run(const SimSettings& settings, const ProgressFn& progress = {});
  // The threads a run uses: settings.threads, or one per core.
  static int Threads(const SimSettings& settings);

  static constexpr uint64_t kBlock = 256;  // installs a thread takes at a time
};

}  // namespace simulate
