#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace zlog {

// What the logger reads from the world: the "LogLevel" value and where the file goes.
class LogEnvironment {
 public:
  virtual ~LogEnvironment() = default;
  // The raw "LogLevel" value, or nothing when the key or value is missing.
  virtual std::optional<DWORD> ReadLogLevel() = 0;
  // Full path of the log file, its folder created; empty when that failed.
  virtual std::wstring ComputeLogPath() = 0;
};

}  // namespace zlog
