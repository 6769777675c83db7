#pragma once

namespace zlog {

// Levels of a log record; the threshold compares against these numbers.
enum LogSeverity : int {
  LOG_SEVERITY_DEBUG = 0,
  LOG_SEVERITY_INFO = 1,
  LOG_SEVERITY_WARNING = 2,
  LOG_SEVERITY_ERROR = 3,
  LOG_SEVERITY_FATAL = 4,
};

// "DEBUG" .. "FATAL"; any other value is "UNKNOWN".
const wchar_t* SeverityName(int severity);

}  // namespace zlog
