#pragma once

#include <windows.h>

#include <memory>
#include <mutex>

#include "ui/IPopDlgServices.h"
#include "vipCenterInfo/VipCenterTypes.h"

namespace ui {

// What the pop-up's worker shares with the window: the services, the stop event and the price of
// the last refresh. Shared ownership, so a worker left to end on its own never touches a freed
// window.
class PopWorkerState {
 public:
  explicit PopWorkerState(std::shared_ptr<IPopDlgServices> services)
      : services_(std::move(services)), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~PopWorkerState() {
    if (stop_) CloseHandle(stop_);
  }
  PopWorkerState(const PopWorkerState&) = delete;
  PopWorkerState& operator=(const PopWorkerState&) = delete;

  IPopDlgServices& services() const { return *services_; }
  HANDLE stop() const { return stop_; }  // manual-reset
  bool stopped() const { return stop_ && WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0; }
  void RequestStop() const {
    if (stop_) SetEvent(stop_);
  }

  vipcenter::PayPriceInfo price() const {
    std::lock_guard<std::mutex> hold(priceLock_);
    return price_;
  }
  void set_price(const vipcenter::PayPriceInfo& price) {
    std::lock_guard<std::mutex> hold(priceLock_);
    price_ = price;
  }

  // The worker's body: one refresh, then one every "update_vanta_minutes" until stopped. Once
  // stopped it calls nothing more: the module may already have released what the calls reach.
  static void Run(const std::shared_ptr<PopWorkerState>& state);
  // The wait between refreshes; 0 when there is none (minutes 0 or below). Periods beyond what
  // a wait can hold are held to the longest finite wait.
  static DWORD PeriodMs(int minutes);

 private:
  void Refresh();

  std::shared_ptr<IPopDlgServices> services_;
  HANDLE stop_;
  mutable std::mutex priceLock_;
  vipcenter::PayPriceInfo price_;
};

}  // namespace ui
