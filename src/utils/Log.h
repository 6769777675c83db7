#pragma once

// Log statements: ZLOG(INFO) << L"text" << 12;  ZPLOG(ERROR, GetLastError()) << L"open failed";
// A filtered statement costs a load of the state word and one comparison; the stream is not built.

#include "utils/LogMessage.h"
#include "utils/ZLogger.h"

#define ZLOG_WIDEN_(text) L##text
#define ZLOG_WIDEN(text) ZLOG_WIDEN_(text)
#define ZLOG_SOURCE_FILE ZLOG_WIDEN(__FILE__)

#define ZLOG(severity)                                                            \
  !::zlog::ZLogger::Instance().ShouldLog(::zlog::LOG_SEVERITY_##severity)         \
      ? (void)0                                                                   \
      : ::zlog::LogVoidify() &                                                    \
            ::zlog::LogMessage(::zlog::LOG_SEVERITY_##severity, ZLOG_SOURCE_FILE, __LINE__).stream()

// The logger keeps the caller's last-error value, so ZPLOG(ERROR, GetLastError()) sees the caller's code.
#define ZPLOG(severity, errorCode)                                                                        \
  !::zlog::ZLogger::Instance().ShouldLog(::zlog::LOG_SEVERITY_##severity)                                 \
      ? (void)0                                                                                           \
      : ::zlog::LogVoidify() & ::zlog::ErrorLogMessage(::zlog::LOG_SEVERITY_##severity, ZLOG_SOURCE_FILE, \
                                                       __LINE__, (errorCode))                             \
                                   .stream()
