#include "utils/ConfigDescrambler.h"

#include <cstring>

namespace qm::encoding {

bool ConfigDescrambler::DescrambleInPlace(uint8_t* bytes, size_t length) {
  if (!bytes || length == 0) return false;
  constexpr uint64_t kWideKey = 0x0101010101010101ull * kKeyByte;
  size_t i = 0;
  // Eight-byte words through memcpy: the buffer need not be aligned.
  for (; i + 64 <= length; i += 64) {
    for (size_t w = 0; w < 64; w += 8) {
      uint64_t word;
      std::memcpy(&word, bytes + i + w, 8);
      word ^= kWideKey;
      std::memcpy(bytes + i + w, &word, 8);
    }
  }
  for (; i + 4 <= length; i += 4) {
    uint32_t word;
    std::memcpy(&word, bytes + i, 4);
    word ^= static_cast<uint32_t>(kWideKey);
    std::memcpy(bytes + i, &word, 4);
  }
  for (; i < length; ++i) bytes[i] ^= kKeyByte;
  return true;
}

}  // namespace qm::encoding
