#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace testing_support {

// The slot index of a virtual member function, from the compiler's member-pointer form
// (1 + the byte offset in the table).
template <class Pmf>
size_t SlotOf(Pmf pmf) {
  struct Raw {
    uintptr_t pointer;
    ptrdiff_t adjustment;
  } raw{};
  static_assert(sizeof(Pmf) == sizeof(Raw));
  std::memcpy(&raw, &pmf, sizeof(raw));
  return (raw.pointer - 1) / sizeof(void*);
}

}  // namespace testing_support
