#include "ui/PopWorkerState.h"

#include "utils/Log.h"

namespace ui {

void PopWorkerState::Run(const std::shared_ptr<PopWorkerState>& state) {
  ZLOG(DEBUG) << L"NewUserDiscount dlg OnActivate";
  state->Refresh();
  const int minutes = state->services().ConfigInt(L"update_vanta_minutes", 0);
  if (minutes == 0) return;
  while (WaitForSingleObject(state->stop(), static_cast<DWORD>(minutes) * 60000u) == WAIT_TIMEOUT) {
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
