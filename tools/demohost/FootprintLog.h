#pragma once

#include <windows.h>

#include <string>

namespace demo {

// What the process holds at one step of a session, as one line: the counts of ProcessCounts and
// the working set, the process's threads and those the module started, and (with the call probe)
// whether GDI+ was started and fonts were made. A step's cost is the difference between two lines.
class FootprintLog {
 public:
  // "demo: footprint <stage>: handles ..., working set N KiB\n"
  static std::wstring Line(const std::wstring& stage);
  // Where the figures come from on this system.
  static std::wstring SourcesLine();
  // The module whose threads the lines count (nullptr once it is freed).
  static void SetModule(HMODULE module);
};

}  // namespace demo
