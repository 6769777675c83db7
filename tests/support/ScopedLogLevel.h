#pragma once

#include <windows.h>

#include <optional>

namespace testing_support {

// Sets (or removes, for nothing) the "LogLevel" value the logger reads, and puts back what was
// there before. Tests that use it share the ctest resource lock "log_level".
class ScopedLogLevel {
 public:
  explicit ScopedLogLevel(std::optional<DWORD> level);
  ~ScopedLogLevel();
  ScopedLogLevel(const ScopedLogLevel&) = delete;
  ScopedLogLevel& operator=(const ScopedLogLevel&) = delete;

  static void Write(std::optional<DWORD> level);
  static std::optional<DWORD> Read();

 private:
  std::optional<DWORD> previous_;
};

}  // namespace testing_support
