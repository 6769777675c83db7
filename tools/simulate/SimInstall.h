#pragma once

#include <cstdint>

#include "simulate/SimPopulation.h"

namespace simulate {

// What one install draws once from the population.
struct SimInstall {
  int hostType = 0;
  int ageDays = 0;
  int tid1 = 0;
  int tid2 = 0;
  int abGroup = 0;
  int vipState = 0;
  int timeZoneHours = 0;
  bool picturesInPlace = false;  // an earlier refresh already fetched the item's pictures

  static SimInstall Draw(const SimPopulation& population, SimRandom& random) {
    SimInstall install;
    install.hostType = population.hostTypes.Draw(random);
    install.ageDays = population.installAgeDays.Draw(random);
    install.tid1 = population.tid1.Draw(random);
    install.tid2 = population.tid2.Draw(random);
    install.abGroup = population.abGroups.Draw(random);
    install.vipState = population.vipStates.Draw(random);
    install.timeZoneHours = population.timeZones.Draw(random);
    install.picturesInPlace = random.Chance(population.picturesInPlace);
    return install;
  }
  // The first simulated day (0-based) the install exists on.
  int FirstDay() const { return ageDays < 0 ? -ageDays : 0; }
};

}  // namespace simulate
