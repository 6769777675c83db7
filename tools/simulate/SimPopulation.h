#pragma once

#include <string>

#include "simulate/SimWeights.h"

namespace simulate {

// Who the installs are: each install draws its host type, age, channel ids, A/B group, VIP state
// and time zone once; each day draws its sessions and whether another pop-up showed; each
// session its local launch hour and length. Shares are between 0 and 1.
struct SimPopulation {
  SimWeights hostTypes;
  SimWeights installAgeDays;  // at the first simulated day; -N: installed on day N+1 of the run
  SimWeights tid1;
  SimWeights tid2 = SimWeights::Always(0);
  SimWeights abGroups;
  SimWeights vipStates;  // 1 logged out, 2 logged in, 3 VIP
  SimWeights sessionsPerDay;
  SimWeights sessionMinutes;
  SimWeights launchHour;                         // local, 0 to 23
  SimWeights timeZones = SimWeights::Always(0);  // hours east of UTC
  double otherPopToday = 0;                      // share of install-days
  double pictureDownloadSuccess = 1;             // share of downloads
  double vipCentreSuccess = 1;                   // share of VIP-centre requests answered
  double picturesInPlace = 0;                    // share of installs holding the pictures at the start

  // FILE or TEXT (starting with "{"): false with a reason naming the field at fault.
  static bool Load(const std::wstring& fileOrText, SimPopulation& out, std::wstring& error);
  static bool Read(const PopulationJson& json, SimPopulation& out, std::string& error);
};

}  // namespace simulate
