#include "tandipc/PipeIo.h"

#include "family/SheerIpc.h"
#include "utils/ScopedHandle.h"

namespace tandipc {

namespace {

constexpr DWORD kChunk = 64 * 1024;

DWORD Remaining(ULONGLONG deadline) {
  const ULONGLONG now = GetTickCount64();
  return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

}  // namespace

PipeIo::Status PipeIo::Finish(HANDLE pipe, OVERLAPPED& overlapped, DWORD& transferred, DWORD timeoutMs, HANDLE stop) {
  HANDLE waits[2] = {overlapped.hEvent, stop};
  const DWORD woke = WaitForMultipleObjects(stop ? 2 : 1, waits, FALSE, timeoutMs);
  if (woke != WAIT_OBJECT_0) {
    // The buffer belongs to the operation until it has completed or been cancelled.
    CancelIo(pipe);
    GetOverlappedResult(pipe, &overlapped, &transferred, TRUE);
    return woke == WAIT_OBJECT_0 + 1 ? Status::kStopped : woke == WAIT_TIMEOUT ? Status::kTimedOut : Status::kError;
  }
  if (GetOverlappedResult(pipe, &overlapped, &transferred, FALSE)) return Status::kOk;
  const DWORD error = GetLastError();
  if (error == ERROR_MORE_DATA) return Status::kTooBig;  // the caller reads on
  return error == ERROR_BROKEN_PIPE || error == ERROR_PIPE_NOT_CONNECTED ? Status::kClosed : Status::kError;
}

PipeIo::Status PipeIo::Read(HANDLE pipe, std::string& message, DWORD timeoutMs, HANDLE stop) {
  message.clear();
  qm::ScopedHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!event) return Status::kError;
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  std::string chunk(kChunk, '\0');
  for (;;) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = event.get();
    ResetEvent(event.get());
    DWORD transferred = 0;
    Status status = Status::kOk;
    if (!ReadFile(pipe, chunk.data(), kChunk, nullptr, &overlapped)) {
      const DWORD error = GetLastError();
      if (error == ERROR_IO_PENDING) {
        status = Finish(pipe, overlapped, transferred, Remaining(deadline), stop);
      } else if (error == ERROR_MORE_DATA) {
        GetOverlappedResult(pipe, &overlapped, &transferred, FALSE);  // the part that was read
        status = Status::kTooBig;
      } else {
        return error == ERROR_BROKEN_PIPE || error == ERROR_PIPE_NOT_CONNECTED ? Status::kClosed : Status::kError;
      }
    } else if (!GetOverlappedResult(pipe, &overlapped, &transferred, FALSE)) {
      return Status::kError;
    }
    if (status != Status::kOk && status != Status::kTooBig) return status;
    if (message.size() + transferred > kMaxMessageBytes) return Status::kTooBig;
    message.append(chunk.data(), transferred);
    if (status == Status::kOk) return Status::kOk;  // the message is complete
  }
}

PipeIo::Status PipeIo::Write(HANDLE pipe, const std::string& message, DWORD timeoutMs, HANDLE stop) {
  if (message.size() > kMaxMessageBytes) return Status::kTooBig;
  qm::ScopedHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!event) return Status::kError;
  OVERLAPPED overlapped{};
  overlapped.hEvent = event.get();
  DWORD transferred = 0;
  if (!WriteFile(pipe, message.data(), static_cast<DWORD>(message.size()), nullptr, &overlapped)) {
    const DWORD error = GetLastError();
    if (error != ERROR_IO_PENDING) {
      return error == ERROR_BROKEN_PIPE || error == ERROR_NO_DATA ? Status::kClosed : Status::kError;
    }
    const Status status = Finish(pipe, overlapped, transferred, timeoutMs, stop);
    if (status != Status::kOk) return status;
  } else if (!GetOverlappedResult(pipe, &overlapped, &transferred, FALSE)) {
    return Status::kError;
  }
  return transferred == message.size() ? Status::kOk : Status::kError;
}

}  // namespace tandipc
