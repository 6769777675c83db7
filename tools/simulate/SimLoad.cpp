#include "simulate/SimLoad.h"

namespace simulate {

double SimLoad::Sum(const std::array<double, kRequestKinds>& perKind) {
  double sum = 0;
  for (const double value : perKind) sum += value;
  return sum;
}

SimLoad SimLoad::Of(const SimTally& tally, uint64_t fleet, int days) {
  SimLoad load;
  const size_t slots = tally.requests.size();
  if (tally.installs == 0 || slots == 0 || days < 1) return load;
  const double scale = static_cast<double>(fleet) / static_cast<double>(tally.installs);
  std::array<uint64_t, kRequestKinds> totals{};
  size_t peak = 0;
  uint64_t peakCount = 0;
  for (size_t slot = 0; slot < slots; ++slot) {
    uint64_t inSlot = 0;
    for (int kind = 0; kind < kRequestKinds; ++kind) {
      totals[kind] += tally.requests[slot][kind];
      inSlot += tally.requests[slot][kind];
    }
    if (inSlot > peakCount) peakCount = inSlot, peak = slot;
  }
  const double seconds = days * 86400.0;
  for (int kind = 0; kind < kRequestKinds; ++kind) {
    load.mean[kind] = static_cast<double>(totals[kind]) * scale / seconds;
    load.atPeak[kind] = static_cast<double>(tally.requests[peak][kind]) * scale / 3600.0;
  }
  load.peakDay = static_cast<int>(peak / 24);  // the slots start a day before the run
  load.peakUtcHour = static_cast<int>(peak % 24);
  return load;
}

}  // namespace simulate
