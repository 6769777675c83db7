#pragma once

#include <string>

#include "strategy/PopGateVerdict.h"

namespace strategy {

// One gate as the explainer shows it.
struct PopGateExplanation {
  std::wstring gate;
  int reason = 0;  // the record's code on refusal; 0: refused without a record
  std::wstring refusalLog;
  PopGateVerdict verdict;
  bool reached = true;  // false after an earlier refusal: CanShow would not get here
  bool passedOver = false;  // refuses, but the machine is listed for QA
};

}  // namespace strategy
