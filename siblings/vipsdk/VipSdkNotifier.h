#pragma once

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/Journal.h"
#include "vipsdk/VipSdkState.h"

namespace siblings {

// The listeners of one SDK generation and a watcher thread that tells them when the state file
// changes: slot 0 on every change, slot 1 as well when the login state flips. Listeners are called
// under the listener lock, so a removed listener is never called afterwards; nothing else of the
// stand-in takes that lock, so a listener may query the core interface from its callback.
template <class Listener>
class VipSdkNotifier {
 public:
  explicit VipSdkNotifier(std::wstring generation) : generation_(std::move(generation)) {}

  bool Add(Listener* listener) {
    if (!listener) return false;
    std::lock_guard<std::mutex> hold(lock_);
    listeners_.push_back(listener);
    if (!watcher_.joinable()) Start();
    return true;
  }

  bool Remove(Listener* listener) {
    std::thread finished;
    bool removed = false;
    {
      std::lock_guard<std::mutex> hold(lock_);
      const auto found = std::find(listeners_.begin(), listeners_.end(), listener);
      removed = found != listeners_.end();
      if (removed) listeners_.erase(found);
      if (listeners_.empty() && watcher_.joinable() && watcher_.get_id() != std::this_thread::get_id()) {
        *stop_ = true;
        finished = std::move(watcher_);
      }
    }
    if (finished.joinable()) finished.join();  // outside the lock: the watcher may be waiting for it
    return removed;
  }

 private:
  // Each watcher has its own stop flag: a new one may start while an old one is being joined.
  void Start() {
    stop_ = std::make_shared<std::atomic<bool>>(false);
    watcher_ = std::thread([this, stop = stop_, last = VipSdkState::ReadText()] { Watch(*stop, last); });
  }

  void Watch(const std::atomic<bool>& stop, std::string last) {
    while (!stop) {
      Sleep(50);
      const std::string text = VipSdkState::ReadText();
      if (text == last) continue;
      const bool wasLoggedIn = VipSdkState::Parse(last).loggedIn;
      last = text;
      Notify(stop, VipSdkState::Parse(text).loggedIn, wasLoggedIn);
    }
  }

  void Notify(const std::atomic<bool>& stop, bool loggedIn, bool wasLoggedIn) {
    std::lock_guard<std::mutex> hold(lock_);
    if (stop) return;
    Journal(L"vipsdk").Append(L"NotifyUserInfoChange",
                              {{L"generation", generation_}, {L"listeners", std::to_wstring(listeners_.size())}});
    for (Listener* listener : listeners_) {
      listener->OnUserInfoChange(1);
      if (loggedIn != wasLoggedIn) listener->OnLoginStateChange(loggedIn);
    }
  }

  std::wstring generation_;
  std::mutex lock_;
  std::vector<Listener*> listeners_;
  std::thread watcher_;
  std::shared_ptr<std::atomic<bool>> stop_;
};

}  // namespace siblings
