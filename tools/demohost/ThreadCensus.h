#pragma once

#include <windows.h>

#include <string>

namespace demo {

// The process's threads, and those that began in a given module (by the start address the
// system keeps for each thread): whether the module left a thread running.
class ThreadCensus {
 public:
  struct Counts {
    long threads = -1;        // -1: the snapshot failed
    long startedInModule = -1;  // -1: no module, or the start addresses cannot be read
  };

  static Counts Take(HMODULE module);
  // "threads N, module threads M" (a figure that could not be taken reads "?").
  static std::wstring Text(HMODULE module);
};

}  // namespace demo
