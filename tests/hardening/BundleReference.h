#pragma once

#include <cstdint>

namespace hardening {

// The bundle's serial form rules written out a second time, to compare the loader with: header
// (version 1, total length within the data, checksum of the body), then items of a known type
// whose header, key and value fit, fixed-size values of their size, nested forms valid in turn,
// no key twice, nesting no deeper than the loader allows.
class BundleReference {
 public:
  static constexpr int kMaxDepth = 64;
  // True when the form at data is valid; total receives its total length.
  static bool Valid(const uint8_t* data, uint32_t length, int depth, uint32_t& total);

 private:
  static bool ValidValue(uint16_t type, const uint8_t* value, uint32_t length, int depth);
};

}  // namespace hardening
