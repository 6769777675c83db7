#include "ui/PopCountDown.h"

#include <cwchar>

namespace ui {

void PopCountDown::Tick() {
  if (seconds >= 1) {
    --seconds;
  } else if (minutes >= 1) {
    --minutes;
    seconds = 59;
  } else if (hours >= 1) {
    --hours;
    minutes = seconds = 59;
  }
}

std::wstring PopCountDown::TwoDigits(int value) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%02d", value);
  return text;
}

}  // namespace ui
