#pragma once

#include <string>
#include <vector>

namespace UxWin {

// "ressrc\chs\dpisetting.ini" beside the host application, section "basesetting".
struct UxDpiSettings {
  int switchOn = 0;    // "switch"
  int debug = 0;       // "debug"
  int debugDpi = 96;   // "debugdpi"
  int mode = 2;        // "mode": 1 process-wide, 2 per-thread awareness
  std::vector<double> supportRates{1.0, 1.2, 1.5};  // "supportrate", ascending
  std::wstring supportProcess;                      // "supportprocess"

  // Missing file or keys give the defaults above.
  static UxDpiSettings Load(const std::wstring& path);
  // "1.0|1.25" -> {1.0, 1.25}; entries that are not numbers are skipped.
  static std::vector<double> ParseRates(const std::wstring& text);
  // The host executable's directory + "\ressrc\chs\dpisetting.ini".
  static std::wstring DefaultPath();
};

}  // namespace UxWin
