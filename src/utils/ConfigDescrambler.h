#pragma once

#include <cstddef>
#include <cstdint>

namespace qm::encoding {

// "cfgdata\componentconfig.dat" is the INI text with every byte XORed with one fixed byte.
class ConfigDescrambler {
 public:
  static constexpr uint8_t kKeyByte = 0x6B;
  // XORs every byte in place (the same call scrambles); false for a null buffer or zero length.
  static bool DescrambleInPlace(uint8_t* bytes, size_t length);
};

}  // namespace qm::encoding
