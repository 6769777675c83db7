#include "utils/LogMessage.h"

#include <cstdio>
#include <cwchar>
#include <exception>

#include "utils/ZLogger.h"

namespace zlog {

const wchar_t* SeverityName(int severity) {
  switch (severity) {
    case LOG_SEVERITY_DEBUG: return L"DEBUG";
    case LOG_SEVERITY_INFO: return L"INFO";
    case LOG_SEVERITY_WARNING: return L"WARNING";
    case LOG_SEVERITY_ERROR: return L"ERROR";
    case LOG_SEVERITY_FATAL: return L"FATAL";
    default: return L"UNKNOWN";
  }
}

LogMessage::LogMessage(int severity, const wchar_t* sourceFile, int sourceLine)
    : LogMessage(ZLogger::Instance(), severity, sourceFile, sourceLine) {}

LogMessage::LogMessage(ZLogger& logger, int severity, const wchar_t* sourceFile, int sourceLine)
    : logger_(logger), savedLastError_(GetLastError()), uncaughtAtOpen_(std::uncaught_exceptions()) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  stream_ << FormatPrefix(GetCurrentThreadId(), now, severity, sourceFile, sourceLine);
}

LogMessage::~LogMessage() {
  // A record left by an exception is dropped rather than written half-built.
  if (std::uncaught_exceptions() <= uncaughtAtOpen_) {
    try {
      stream_ << L"\r\n";
      logger_.AppendLine(stream_.str());
    } catch (...) {
    }
  }
  SetLastError(savedLastError_);
}

const wchar_t* LogMessage::FileNameOf(const wchar_t* sourcePath) {
  if (!sourcePath) return L"";
  const wchar_t* name = sourcePath;
  for (const wchar_t* p = sourcePath; *p; ++p) {
    if (*p == L'\\' || *p == L'/') name = p + 1;
  }
  return name;
}

std::wstring LogMessage::FormatPrefix(DWORD threadId, const SYSTEMTIME& t, int severity, const wchar_t* sourceFile,
                                      int sourceLine) {
  wchar_t prefix[64] = {};
  swprintf(prefix, 64, L"[%-5lu|%04u-%02u-%02u %02u:%02u:%02u|%7ls|", static_cast<unsigned long>(threadId),
           unsigned{t.wYear}, unsigned{t.wMonth}, unsigned{t.wDay}, unsigned{t.wHour}, unsigned{t.wMinute},
           unsigned{t.wSecond}, SeverityName(severity));
  return prefix + std::wstring(FileNameOf(sourceFile)) + L':' + std::to_wstring(sourceLine) + L"] ";
}

ErrorLogMessage::ErrorLogMessage(int severity, const wchar_t* sourceFile, int sourceLine, DWORD errorCode)
    : ErrorLogMessage(ZLogger::Instance(), severity, sourceFile, sourceLine, errorCode) {}

ErrorLogMessage::ErrorLogMessage(ZLogger& logger, int severity, const wchar_t* sourceFile, int sourceLine,
                                 DWORD errorCode)
    : LogMessage(logger, severity, sourceFile, sourceLine), errorCode_(errorCode) {}

ErrorLogMessage::~ErrorLogMessage() {
  try {
    stream() << L": " << DescribeError(errorCode_);
  } catch (...) {
  }
}

std::wstring ErrorLogMessage::DescribeError(DWORD errorCode) {
  constexpr DWORD kCapacity = 512;
  wchar_t text[kCapacity] = {};
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                      errorCode, 0, text, kCapacity, nullptr);
  wchar_t code[64] = {};
  if (length == 0) {
    const DWORD lookupError = GetLastError();
    swprintf(code, 64, L"Error (0x%X) while retrieving error. (0x%X)", static_cast<unsigned>(lookupError),
             static_cast<unsigned>(errorCode));
    return code;
  }
  // System texts end with a line break; the code takes its place, within the same buffer size.
  swprintf(code, 64, L" (0x%X)", static_cast<unsigned>(errorCode));
  std::wstring described(text, length >= 2 ? length - 2 : 0);
  described += code;
  if (described.size() > kCapacity - 1) described.resize(kCapacity - 1);
  return described;
}

}  // namespace zlog
