#pragma once

#include <windows.h>

#include <string>

#include "utils/LogSeverity.h"
#include "utils/LogStream.h"

namespace zlog {

class ZLogger;

// One log record: the prefix goes in when it opens, the line is written when it ends.
// The caller's last-error value is the same afterwards as before.
class LogMessage {
 public:
  LogMessage(ZLogger& logger, int severity, const wchar_t* sourceFile, int sourceLine);
  LogMessage(int severity, const wchar_t* sourceFile, int sourceLine);
  LogMessage(const LogMessage&) = delete;
  LogMessage& operator=(const LogMessage&) = delete;
  virtual ~LogMessage();

  LogStream& stream() { return stream_; }

  // "[tid  |yyyy-mm-dd hh:mm:ss|  LEVEL|file.cpp:12] "
  static std::wstring FormatPrefix(DWORD threadId, const SYSTEMTIME& localTime, int severity,
                                   const wchar_t* sourceFile, int sourceLine);
  static const wchar_t* FileNameOf(const wchar_t* sourcePath);

 private:
  ZLogger& logger_;
  LogStream stream_;
  DWORD savedLastError_;
  int uncaughtAtOpen_;
};

// A record that ends with the system's text for a Win32 error code.
class ErrorLogMessage : public LogMessage {
 public:
  ErrorLogMessage(ZLogger& logger, int severity, const wchar_t* sourceFile, int sourceLine, DWORD errorCode);
  ErrorLogMessage(int severity, const wchar_t* sourceFile, int sourceLine, DWORD errorCode);
  ~ErrorLogMessage() override;

  // The system text with its line break replaced by " (0xCODE)".
  static std::wstring DescribeError(DWORD errorCode);

 private:
  DWORD errorCode_;
};

// Lets the logging macros stand as one expression statement.
struct LogVoidify {
  void operator&(LogStream&) {}
};

}  // namespace zlog
