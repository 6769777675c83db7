#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace tandipc {

// Whole messages over an overlapped message-mode pipe handle, each bounded in time and size.
class PipeIo {
 public:
  enum class Status { kOk, kClosed, kTimedOut, kTooBig, kStopped, kError };

  // stop (optional): an event that ends the wait early with kStopped.
  static Status Read(HANDLE pipe, std::string& message, DWORD timeoutMs, HANDLE stop = nullptr);
  static Status Write(HANDLE pipe, const std::string& message, DWORD timeoutMs, HANDLE stop = nullptr);

 private:
  // Waits for one overlapped operation; cancels it on time-out or stop.
  static Status Finish(HANDLE pipe, OVERLAPPED& overlapped, DWORD& transferred, DWORD timeoutMs, HANDLE stop);
};

}  // namespace tandipc
