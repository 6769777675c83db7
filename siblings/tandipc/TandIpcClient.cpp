#include "tandipc/TandIpcClient.h"

#include "tandipc/PipeIo.h"
#include "tandipc/TandIpcWire.h"

namespace tandipc {

bool TandIpcClient::Connect(const wchar_t* channel) {
  Close();
  if (!channel || !*channel) return false;
  const std::wstring name = std::wstring(kPipePrefix) + channel;
  const ULONGLONG deadline = GetTickCount64() + timeoutMs_;
  int absentAnswers = 0;
  for (;;) {
    HANDLE pipe = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
    if (pipe != INVALID_HANDLE_VALUE) {
      pipe_.Reset(pipe);
      DWORD mode = PIPE_READMODE_MESSAGE;
      if (SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr)) return true;
      Close();
      return false;
    }
    // Nobody serves the channel: no point in waiting long. A server between two instances can
    // look the same for a moment, so that answer is asked again twice.
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND && ++absentAnswers <= 2) {
      Sleep(20);
      continue;
    }
    if (error != ERROR_PIPE_BUSY) return false;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    WaitNamedPipeW(name.c_str(), static_cast<DWORD>(deadline - now));
  }
}

int32_t TandIpcClient::Exchange(const std::string& message, std::string& answer) {
  const PipeIo::Status sent = PipeIo::Write(pipe_.get(), message, timeoutMs_);
  if (sent == PipeIo::Status::kTimedOut) return kCallTimedOut;
  if (sent != PipeIo::Status::kOk) return kCallSendFailed;
  const PipeIo::Status read = PipeIo::Read(pipe_.get(), answer, timeoutMs_);
  if (read == PipeIo::Status::kOk) return 0;
  return read == PipeIo::Status::kTimedOut ? kCallTimedOut : kCallBadAnswer;
}

int32_t TandIpcClient::Call(const wchar_t* function, ITandIpcBundle* request, ITandIpcBundle* response) {
  try {
    if (!pipe_) return kCallNotConnected;
    if (!function || !*function) return kCallBadRequest;
    uint32_t length = 0;
    const void* bytes = request ? request->Store()->Serialize(&length) : nullptr;
    std::string answer;
    const int32_t exchanged = Exchange(TandIpcWire::Request(function, bytes, length), answer);
    int32_t result = 0;
    std::string bundle;
    if (exchanged == 0 && !TandIpcWire::ParseResponse(answer, result, bundle)) {
      Close();
      return kCallBadAnswer;
    }
    if (exchanged != 0) {
      Close();  // the connection's state is unknown now
      return exchanged;
    }
    if (response && bundle.empty()) {
      response->Clear();
    } else if (response && !response->Store()->Load(bundle.data(), static_cast<uint32_t>(bundle.size()), true)) {
      return kCallBadAnswer;
    }
    return result;
  } catch (...) {
    return kCallSendFailed;
  }
}

}  // namespace tandipc
