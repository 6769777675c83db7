#pragma once

#include <string>

#include "family/SheerIpc.h"
#include "utils/ScopedHandle.h"

namespace tandipc {

// One connection to a channel's pipe. A call that is not answered within the time-out closes the
// connection, so a stalled peer never blocks the caller for longer than that.
class TandIpcClient final : public ITandIpcClient {
 public:
  TandIpcClient() = default;
  TandIpcClient(const TandIpcClient&) = delete;
  TandIpcClient& operator=(const TandIpcClient&) = delete;

  void Release() override { delete this; }
  bool Connect(const wchar_t* channel) override;
  void Close() override { pipe_.Reset(); }
  int32_t Call(const wchar_t* function, ITandIpcBundle* request, ITandIpcBundle* response) override;
  void SetTimeout(uint32_t milliseconds) override { timeoutMs_ = milliseconds ? milliseconds : kDefaultTimeoutMs; }

 private:
  ~TandIpcClient() = default;
  int32_t Exchange(const std::string& message, std::string& answer);

  qm::ScopedHandle pipe_;
  uint32_t timeoutMs_ = kDefaultTimeoutMs;
};

}  // namespace tandipc
