#pragma once

#include "vanta/OfferFields.h"

namespace campaign {

// Where layout 100 draws each picture at factor 1.0: the background fills the window; the two
// buttons are strips of three frames (normal, hover, pressed) side by side.
struct PopImageBox {
  const wchar_t* field;
  int controlId;
  int width;
  int height;
  int frames;
};

inline constexpr PopImageBox kPopImageBoxes[] = {
    {vanta::offer::kBackgroundUrl.name, 1001, 520, 360, 1},
    {vanta::offer::kCloseUrl.name, 1002, 24, 24, 3},
    {vanta::offer::kConfirmUrl.name, 1003, 280, 68, 3},
};

}  // namespace campaign
