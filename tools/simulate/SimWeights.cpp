#include "simulate/SimWeights.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace simulate {

SimWeights SimWeights::Always(int value) {
  SimWeights weights;
  weights.ranges_.push_back({value, value, 1});
  weights.cumulative_.push_back(1);
  return weights;
}

bool SimWeights::ParseKey(const std::string& key, int& low, int& high) {
  const char* text = key.c_str();
  char* end = nullptr;
  const long long first = std::strtoll(text, &end, 10);
  if (end == text || first < INT_MIN || first > INT_MAX) return false;
  low = high = static_cast<int>(first);
  if (*end == '\0') return true;
  if (*end != '-') return false;
  const char* second = end + 1;
  const long long last = std::strtoll(second, &end, 10);
  if (end == second || *end != '\0' || last < first || last > INT_MAX) return false;
  high = static_cast<int>(last);
  return true;
}

bool SimWeights::Read(const PopulationJson& json, int least, int most, SimWeights& out, std::string& error) {
  out = SimWeights();
  if (!json.IsObject()) return error = "is not an object of weights", false;
  double total = 0;
  for (const auto& [key, weight] : json.members()) {
    Range range{0, 0, weight.number()};
    if (!ParseKey(key, range.low, range.high)) return error = "has \"" + key + "\", not a value or a range", false;
    if (range.low < least || range.high > most) {
      return error = "has \"" + key + "\", outside " + std::to_string(least) + " to " + std::to_string(most), false;
    }
    if (!weight.IsNumber() || weight.number() < 0) return error = "gives \"" + key + "\" no weight of 0 or more", false;
    total += range.weight;
    out.ranges_.push_back(range);
    out.cumulative_.push_back(total);
  }
  if (total <= 0) return error = "has no weight above 0", false;
  return true;
}

int SimWeights::Draw(SimRandom& random) const {
  if (ranges_.size() == 1 && ranges_[0].low == ranges_[0].high) return ranges_[0].low;
  const double at = random.Unit() * cumulative_.back();
  const size_t index = std::min<size_t>(
      std::upper_bound(cumulative_.begin(), cumulative_.end(), at) - cumulative_.begin(), ranges_.size() - 1);
  const Range& range = ranges_[index];
  return static_cast<int>(random.Between(range.low, range.high));
}

}  // namespace simulate
