#pragma once

#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "tandipc/FunctionTable.h"
#include "utils/ScopedHandle.h"

namespace tandipc {

// Serves one channel: a thread accepts connections on the channel's pipe and each connection
// gets a thread of its own that runs the requested functions one after another.
class ChannelListener {
 public:
  explicit ChannelListener(std::wstring channel);
  ~ChannelListener();
  ChannelListener(const ChannelListener&) = delete;
  ChannelListener& operator=(const ChannelListener&) = delete;

  FunctionTable& functions() { return functions_; }
  // False when another process already serves the channel.
  bool Start();
  void Stop();

  // A connection without a request for this long is closed.
  static constexpr DWORD kIdleMs = 30000;

 private:
  HANDLE NewInstance(bool first) const;
  void AcceptLoop(HANDLE first);
  void Serve(HANDLE pipe);
  void ServeOne(HANDLE pipe, const std::string& message);
  // Why a request message is refused (empty: it is served); loads its bundle into request.
  static std::wstring Refusal(const std::string& message, std::wstring& function, ITandIpcBundle& request);

  std::wstring channel_;
  std::wstring pipeName_;
  FunctionTable functions_;
  qm::ScopedHandle stop_;
  std::thread acceptor_;
  std::mutex lock_;
  std::condition_variable idle_;
  int connections_ = 0;  // under lock_
};

}  // namespace tandipc
