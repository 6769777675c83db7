#pragma once

#include <string>

namespace ui {

// The pop-up's count-down: hours, minutes and seconds, one tick a second.
struct PopCountDown {
  int hours = 0;
  int minutes = 0;
  int seconds = 0;

  bool IsOver() const { return hours == 0 && minutes == 0 && seconds == 0; }
  // One second less; nothing changes once it is over.
  void Tick();
  // "%02d" of a value (100 or more prints all its digits).
  static std::wstring TwoDigits(int value);
};

}  // namespace ui
