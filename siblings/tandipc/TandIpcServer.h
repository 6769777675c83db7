#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "family/SheerIpc.h"
#include "tandipc/ChannelListener.h"

namespace tandipc {

// The channels this object serves. Releasing it stops them all.
class TandIpcServer final : public ITandIpcServer {
 public:
  TandIpcServer() = default;
  TandIpcServer(const TandIpcServer&) = delete;
  TandIpcServer& operator=(const TandIpcServer&) = delete;

  void Release() override { delete this; }
  bool RegisterFunction(const wchar_t* channel, const wchar_t* function, ITandIpcExecObject* exec) override;
  bool UnregisterFunction(const wchar_t* channel, const wchar_t* function) override;
  bool Start(const wchar_t* channel) override;
  void Stop(const wchar_t* channel) override;

 private:
  ~TandIpcServer();
  ChannelListener* Find(const wchar_t* channel, bool create);

  std::mutex lock_;
  std::map<std::wstring, std::unique_ptr<ChannelListener>> channels_;
};

}  // namespace tandipc
