#pragma once

#include <cstdint>

namespace UxWin {

// A "pos" expression: 0, 2 or 4 items (left, top, right, bottom), each measured from the parent's
// start, end ("-") or centre ("|"), e.g. "|-140,28,-28,52".
struct UxPosition {
  struct Item {
    bool fromCentre = false;
    bool fromEnd = false;
    int32_t value = 0;
  };
  int count = 0;
  Item items[4];

  // Any count but 2 or 4 gives an empty position.
  static UxPosition Parse(const char* text);
  // One item against an extent: from the start, the end ("-") or the centre ("|"); saturated.
  static int32_t Resolve(const Item& item, int32_t start, int32_t end);
};

}  // namespace UxWin
