#include "ui/PopWorkerState.h"

#include "utils/Log.h"
#include "vanta/OfferFields.h"

namespace ui {

DWORD PopWorkerState::PeriodMs(int minutes) {
  constexpr DWORD kMinuteMs = 60000;
  constexpr DWORD kLongestWaitMs = INFINITE - 1;
  if (minutes <= 0) return 0;
  if (static_cast<DWORD>(minutes) > kLongestWaitMs / kMinuteMs) return kLongestWaitMs;
  return static_cast<DWORD>(minutes) * kMinuteMs;
}

void PopWorkerState::Run(const std::shared_ptr<PopWorkerState>& state) {
  ZLOG(DEBUG) << L"NewUserDiscount dlg OnActivate";
  state->Refresh();
  // A worker the stop gave up on gets here after Uninitialize has released the remote
  // configuration: it must not ask it anything more.
  if (state->stopped()) return;
  using vanta::offer::kRefreshMinutes;
  const DWORD periodMs = PeriodMs(state->services().ConfigInt(kRefreshMinutes.name, kRefreshMinutes.defaultNumber));
  if (periodMs == 0) return;
  while (WaitForSingleObject(state->stop(), periodMs) == WAIT_TIMEOUT) {
    state->Refresh();
  }
  ZLOG(DEBUG) << L"NewUserDiscount update resource loop exit";
  ZLOG(DEBUG) << L"NewUserDiscount update resource loop exit";
}

void PopWorkerState::Refresh() {
  vipcenter::PayPriceInfo price = this->price();
  services_->RefreshResources(stop_, price);
  set_price(price);
}

}  // namespace ui
