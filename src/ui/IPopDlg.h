#pragma once

#include <string>

#include "family/ActivityInterfaces.h"

namespace PAGESDKUTIL {

// A pop-up's outcome: 1 accepted, 2 closed, 3 count-down ran out, 4 images invalid at start.
// Anything else (0: its window could not be created) means it was never on screen.
using PopResult = int32_t;

inline bool IsShownResult(PopResult result) { return result >= 1 && result <= 4; }

// A pop-up that the controller owns and offers the exit scene.
class IPopDlg {
 public:
  virtual ~IPopDlg() = default;
  virtual bool Initialize() = 0;    // starts its background work
  virtual bool UnInitialize() = 0;  // stops it
  virtual bool CanShow(ActivityScene scene) = 0;
  virtual PopResult Show() = 0;  // modal
  virtual std::wstring GetName() = 0;
};

}  // namespace PAGESDKUTIL
