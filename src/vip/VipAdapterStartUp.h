#pragma once

#include <windows.h>

#include <condition_variable>
#include <functional>
#include <mutex>

namespace vip {

// Creates an adapter on a thread of its own, for adapters whose creation waits on another process
// (the Tessik client connects to its VIP service and registers its channel there). The host's
// UI thread then does not wait for it in Initialize; every user of the adapter calls Wait first,
// so none ever sees it half made. The thread keeps the module loaded until it has ended.
class VipAdapterStartUp {
 public:
  VipAdapterStartUp() = default;
  ~VipAdapterStartUp() { Wait(); }
  VipAdapterStartUp(const VipAdapterStartUp&) = delete;
  VipAdapterStartUp& operator=(const VipAdapterStartUp&) = delete;

  // Runs body on a new thread; false (nothing started) when there is no thread: the caller then
  // runs body itself.
  bool Start(std::function<void()> body);
  // Returns once the body has run. At once when nothing is pending or on the start-up thread.
  void Wait();

 private:
  static DWORD WINAPI ThreadMain(void* job);
  void Finished();

  std::mutex lock_;
  std::condition_variable finished_;
  bool pending_ = false;  // under lock_
  DWORD threadId_ = 0;    // under lock_
};

}  // namespace vip
