#pragma once

// An in-process stand-in of the VIP service on a test channel, served by the IPC library.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "IpcTestSupport.h"

namespace ipc_test {

class IpcTestService {
 public:
  // Fills a query's answer; returns the call's result.
  using Answer = std::function<int32_t(tandipc::ITandIpcBundle&)>;

  explicit IpcTestService(std::wstring channel);
  ~IpcTestService();
  bool Start();

  // Every query answers with these keys and "ret" 0 unless answer_ is replaced.
  static int32_t LoggedIn(tandipc::ITandIpcBundle& out);
  void SetAnswer(Answer answer);

  int queries() const { return queries_; }
  std::vector<std::wstring> registered();
  std::vector<std::wstring> unregistered();  // "is_regist" 0
  const std::wstring& channel() const { return channel_; }

 private:
  std::wstring channel_;
  sheer_vip::TandIpcServerPtr server_;
  std::mutex lock_;
  Answer answer_ = &LoggedIn;
  std::vector<std::wstring> registered_;
  std::vector<std::wstring> unregistered_;
  std::atomic<int> queries_{0};
};

// Calls "NotifyUserInfoChange" on a channel as the service would; the answer's "ret".
int32_t Notify(const std::wstring& channel, const std::function<void(tandipc::ITandIpcBundle&)>& fill,
               int32_t* callResult = nullptr);

}  // namespace ipc_test
