#pragma once

#include <atomic>

#include "ui/IPopDlgServices.h"

namespace strategy {
class Win32PopStrategyWorld;
}

namespace ui {

// The pop-up's services as the module runs them: the process's product record, remote
// configuration, strategy and reports, VIP facade, VIP-centre manager and network library.
class PopDlgServices final : public IPopDlgServices {
 public:
  PopDlgServices();

  const product::HostProfile& Host() override;
  std::wstring UtilFolder() override;
  int ConfigInt(const std::wstring& field, int defaultValue) override;
  bool StrategyCanShow(int scene, const vipcenter::PayPriceInfo& lastPrice) override;
  bool QaShow() override { return qaShow_; }
  bool ImagesValid() override;
  void ReportPop(int adShow, int adClick, int noShowReason) override;
  void ReportPurchase(int userType) override;
  int VipState() override;
  bool IsLogin() override;
  bool OpenVipPage(int pageType, int vipFrom, int fid, const std::wstring& query) override;
  int QueryPrice(int months, vipcenter::PayPriceInfo& price) override;
  void TouchPriceSource() override;
  void RefreshResources(HANDLE stop, vipcenter::PayPriceInfo& price) override;

 private:
  std::wstring ConfigKey();
  std::wstring ConfigString(const wchar_t* field);

  strategy::Win32PopStrategyWorld& world_;
  std::atomic<bool> qaShow_{false};
};

}  // namespace ui
