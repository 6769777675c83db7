#pragma once

#include <cstdint>

namespace simulate {

// SplitMix64: small, fast and the same on every compiler, so a seed gives the same fleet on any
// build. Each install draws from its own stream, so the split between threads changes nothing.
class SimRandom {
 public:
  explicit SimRandom(uint64_t state) : state_(state) {}
  static SimRandom ForInstall(uint64_t seed, uint64_t install) {
    SimRandom mixer(seed ^ (install * 0xD1B54A32D192ED03ull));
    return SimRandom(mixer.Next());
  }

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // In [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  bool Chance(double share) { return share >= 1.0 || Unit() < share; }
  // In [low, high].
  int64_t Between(int64_t low, int64_t high) {
    return low + static_cast<int64_t>(Next() % static_cast<uint64_t>(high - low + 1));
  }

 private:
  uint64_t state_;
};

}  // namespace simulate
