#pragma once

#include <string>
#include <vector>

#include "simulate/SimSettings.h"
#include "simulate/SimTally.h"

namespace simulate {

// One item's run, named for the reader.
struct SimResult {
  std::wstring itemName;
  SimTally tally;
};

// What a run prints: a table with one column per item (two with --compare), or JSON.
class SimReport {
 public:
  static std::string Text(const SimSettings& settings, uint64_t fleet, const std::vector<SimResult>& results);
  static std::string Json(const SimSettings& settings, uint64_t fleet, const std::vector<SimResult>& results);
  // "2027-01-04" for a 0-based simulated day.
  static std::string DayName(const SimSettings& settings, int day);
};

}  // namespace simulate
