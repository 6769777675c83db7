#include "simulate/SimTally.h"

namespace simulate {

void SimTally::Add(const SimTally& other) {
  installs += other.installs;
  installDays += other.installDays;
  installsShown += other.installsShown;
  exitScenes += other.exitScenes;
  shows += other.shows;
  refreshChecks += other.refreshChecks;
  refreshes += other.refreshes;
  for (size_t i = 0; i < refusedAt.size() && i < other.refusedAt.size(); ++i) refusedAt[i] += other.refusedAt[i];
  for (size_t i = 0; i < records.size(); ++i) records[i] += other.records[i];
  for (size_t i = 0; i < showsPerDay.size() && i < other.showsPerDay.size(); ++i)
    showsPerDay[i] += other.showsPerDay[i];
  for (size_t i = 0; i < requests.size() && i < other.requests.size(); ++i) {
    for (int kind = 0; kind < kRequestKinds; ++kind) requests[i][kind] += other.requests[i][kind];
  }
}

}  // namespace simulate
