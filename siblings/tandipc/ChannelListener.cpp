#include "tandipc/ChannelListener.h"

#include "common/Journal.h"
#include "tandipc/PipeIo.h"
#include "tandipc/TandIpcBundle.h"
#include "tandipc/TandIpcWire.h"

namespace tandipc {

namespace {

struct BundleDeleter {
  void operator()(ITandIpcBundle* bundle) const { bundle->Release(); }
};
using BundleHolder = std::unique_ptr<ITandIpcBundle, BundleDeleter>;

}  // namespace

ChannelListener::ChannelListener(std::wstring channel)
    : channel_(std::move(channel)),
      pipeName_(std::wstring(kPipePrefix) + channel_),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

ChannelListener::~ChannelListener() { Stop(); }

HANDLE ChannelListener::NewInstance(bool first) const {
  const DWORD openMode = PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
  return CreateNamedPipeW(pipeName_.c_str(), openMode, PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT,
                          PIPE_UNLIMITED_INSTANCES, 64 * 1024, 64 * 1024, 0, nullptr);
}

bool ChannelListener::Start() {
  if (acceptor_.joinable() || !stop_) return acceptor_.joinable();
  // Another server of the channel (this or another process) keeps it; the first-instance flag
  // alone is not honoured everywhere.
  if (WaitNamedPipeW(pipeName_.c_str(), 1) || GetLastError() != ERROR_FILE_NOT_FOUND) return false;
  HANDLE first = NewInstance(true);
  if (first == INVALID_HANDLE_VALUE) return false;
  ResetEvent(stop_.get());
  try {
    acceptor_ = std::thread([this, first] { AcceptLoop(first); });
  } catch (...) {
    CloseHandle(first);
    return false;
  }
  return true;
}

void ChannelListener::Stop() {
  if (!acceptor_.joinable()) return;
  SetEvent(stop_.get());
  acceptor_.join();
  std::unique_lock<std::mutex> hold(lock_);
  idle_.wait(hold, [this] { return connections_ == 0; });
}

void ChannelListener::AcceptLoop(HANDLE first) {
  qm::ScopedHandle connected(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  HANDLE pipe = first;
  while (pipe != INVALID_HANDLE_VALUE && connected) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = connected.get();
    ResetEvent(connected.get());
    bool ready = ConnectNamedPipe(pipe, &overlapped) != FALSE || GetLastError() == ERROR_PIPE_CONNECTED;
    if (!ready && GetLastError() == ERROR_IO_PENDING) {
      HANDLE waits[2] = {connected.get(), stop_.get()};
      if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
        CancelIo(pipe);
        DWORD ignored = 0;
        GetOverlappedResult(pipe, &overlapped, &ignored, TRUE);
        break;
      }
      DWORD ignored = 0;
      ready = GetOverlappedResult(pipe, &overlapped, &ignored, FALSE) != FALSE;
    }
    // The next instance listens before this one is handed over, so a client never finds the
    // channel without a listening instance while the server is up.
    const HANDLE next = NewInstance(false);
    if (ready) {
      std::lock_guard<std::mutex> hold(lock_);
      ++connections_;
      try {
        std::thread([this, pipe] { Serve(pipe); }).detach();
      } catch (...) {
        --connections_;
        CloseHandle(pipe);
      }
    } else {
      CloseHandle(pipe);  // a client that left before it was served
    }
    pipe = next;
  }
  if (pipe != INVALID_HANDLE_VALUE) CloseHandle(pipe);
}

std::wstring ChannelListener::Refusal(const std::string& message, std::wstring& function, ITandIpcBundle& request) {
  std::string bytes;
  if (!TandIpcWire::ParseRequest(message, function, bytes)) return L"malformed header";
  // The bundle's own length must reach the message's end: bytes after it were never the caller's
  // bundle, and a peer that sends them breaks the transport.
  if (TandIpcWire::HasBytesAfterBundle(bytes)) return L"bytes after the bundle";
  if (!request.Store()->Load(bytes.data(), static_cast<uint32_t>(bytes.size()), true)) return L"malformed bundle";
  return {};
}

void ChannelListener::ServeOne(HANDLE pipe, const std::string& message) {
  std::wstring function;
  int32_t result = kCallBadRequest;
  BundleHolder request(new TandIpcBundle());
  BundleHolder response(new TandIpcBundle());
  const std::wstring refusal = Refusal(message, function, *request);
  if (refusal.empty()) {
    result = functions_.Execute(function, request.get(), response.get());
  } else {
    siblings::Journal(L"tandipc").Append(L"refused", {{L"channel", channel_},
                                                      {L"function", function},
                                                      {L"reason", refusal},
                                                      {L"message_bytes", std::to_wstring(message.size())}});
  }
  uint32_t length = 0;
  const void* serial = result == kCallBadRequest ? nullptr : response->Store()->Serialize(&length);
  if (!serial) {  // an empty bundle still travels in its serial form
    response->Clear();
    serial = response->Store()->Serialize(&length);
  }
  PipeIo::Write(pipe, TandIpcWire::Response(result, serial, length), kDefaultTimeoutMs, stop_.get());
}

void ChannelListener::Serve(HANDLE pipe) {
  try {
    for (;;) {
      std::string message;
      const PipeIo::Status status = PipeIo::Read(pipe, message, kIdleMs, stop_.get());
      if (status == PipeIo::Status::kTooBig) {
        PipeIo::Write(pipe, TandIpcWire::Response(kCallBadRequest, nullptr, 0), kDefaultTimeoutMs, stop_.get());
        break;  // the rest of the message cannot be skipped reliably
      }
      if (status != PipeIo::Status::kOk) break;
      ServeOne(pipe, message);
    }
  } catch (...) {
  }
  DisconnectNamedPipe(pipe);
  CloseHandle(pipe);
  std::lock_guard<std::mutex> hold(lock_);
  --connections_;
  idle_.notify_all();
}

}  // namespace tandipc
