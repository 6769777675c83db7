#pragma once

#include <cstddef>
#include <cstdint>

namespace hardening {

// A small seeded generator (SplitMix64): the same seed gives the same inputs on every machine and
// in both architectures, so a failure found once can be replayed from its seed and index.
class FuzzRandom {
 public:
  explicit FuzzRandom(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 .. bound-1; 0 when bound is 0.
  size_t Below(size_t bound) { return bound ? static_cast<size_t>(Next() % bound) : 0; }
  // True with probability 1/n.
  bool OneIn(size_t n) { return Below(n) == 0; }
  uint8_t Byte() { return static_cast<uint8_t>(Next()); }

 private:
  uint64_t state_;
};

}  // namespace hardening
