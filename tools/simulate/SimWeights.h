#pragma once

#include <string>
#include <vector>

#include "simulate/PopulationJson.h"
#include "simulate/SimRandom.h"

namespace simulate {

// A distribution over whole numbers as a population file writes it: {"3": 60, "1-2": 40} gives
// 3 with weight 60 and one of 1 and 2 (evenly) with weight 40. Values may be negative: "-5",
// "-30--1".
class SimWeights {
 public:
  struct Range {
    int low;
    int high;
    double weight;
  };

  SimWeights() = default;
  // A distribution that always gives value.
  static SimWeights Always(int value);
  // False with a reason when a key is not a value or range within [least, most], a weight is
  // negative or not a number, or every weight is 0.
  static bool Read(const PopulationJson& json, int least, int most, SimWeights& out, std::string& error);

  int Draw(SimRandom& random) const;

 private:
  static bool ParseKey(const std::string& key, int& low, int& high);

  std::vector<Range> ranges_;
  std::vector<double> cumulative_;
};

}  // namespace simulate
