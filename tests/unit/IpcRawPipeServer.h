#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "utils/ScopedHandle.h"

namespace ipc_test {

// A misbehaving peer on a channel's pipe: it takes one connection, reads the request and then
// either never answers (until it is destroyed), hangs up, or answers with the given bytes.
class IpcRawPipeServer {
 public:
  enum class Mode { kSilent, kHangUp, kAnswer };
  IpcRawPipeServer(const std::wstring& channel, Mode mode, std::string answer = {});
  ~IpcRawPipeServer();
  IpcRawPipeServer(const IpcRawPipeServer&) = delete;
  IpcRawPipeServer& operator=(const IpcRawPipeServer&) = delete;

  bool listening() const { return static_cast<bool>(pipe_); }
  bool gotRequest() const { return gotRequest_; }

 private:
  void Serve();

  Mode mode_;
  std::string answer_;
  qm::ScopedHandle pipe_;
  qm::ScopedHandle stop_;
  std::atomic<bool> gotRequest_{false};
  std::thread thread_;
};

}  // namespace ipc_test
