#pragma once

#include <cstdint>
#include <limits>

namespace UxWin {

// Position arithmetic on values read from documents: sums are taken in 64 bits and held to the
// 32-bit range, so an extreme "pos" gives an extreme rectangle instead of undefined behaviour.
inline int32_t SaturateToInt32(int64_t value) {
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

}  // namespace UxWin
