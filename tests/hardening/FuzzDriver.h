#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "FuzzTarget.h"

namespace hardening {

// Runs one target over a number of generated inputs in this process and prints one summary line.
// A crash or a hang is reported with the input that caused it (printed and saved beside the
// program under artifacts\) before the process ends: exit code 2 for a crash, 3 for a hang.
class FuzzDriver {
 public:
  struct Options {
    uint64_t seed = 20240601;
    size_t count = 5000;
    DWORD hangMilliseconds = 20000;
    bool skipKnownFaults = true;
  };
  struct Result {
    size_t inputs = 0, accepted = 0, refused = 0, failures = 0, skipped = 0;
    double seconds = 0, slowestMilliseconds = 0;
  };

  // Installs the crash filter and starts the hang watch; once per process.
  static void Install();
  static Result Run(FuzzTarget& target, const Options& options);

 private:
  static void Loop(FuzzTarget& target, const Options& options, Result& result);
  static void Report(const char* what, FuzzTarget& target, size_t index, const std::string& input, const std::string& why);
  static DWORD WINAPI Worker(void* parameter);
  static LONG WINAPI OnCrash(EXCEPTION_POINTERS* pointers);
};

}  // namespace hardening
