#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "lint/CampaignItem.h"
#include "ui/IPopDlgServices.h"

namespace preview {

// The pop-up's services for a preview: the item's fields (with the command line's overrides), a
// given price and pictures in a private folder. Nothing is reported, opened or downloaded.
class PreviewServices final : public ui::IPopDlgServices {
 public:
  PreviewServices(campaign::CampaignItem item, int hostType, std::wstring utilFolder,
                  std::map<std::wstring, int> overrides, vipcenter::PayPriceInfo price);

  const product::HostProfile& Host() override { return product::HostProfile::Of(hostType_); }
  std::wstring UtilFolder() override { return utilFolder_; }
  int ConfigInt(const std::wstring& field, int defaultValue) override;
  bool StrategyCanShow(int, const vipcenter::PayPriceInfo&) override { return true; }
  // The pictures were checked against their URLs before; the preview draws them either way.
  bool ImagesValid() override { return true; }
  void RecordShown(int64_t) override {}  // a preview is not a show
  void ReportPop(int, int, int) override {}
  void ReportPurchase(int) override {}
  int VipState() override { return 1; }
  bool IsLogin() override { return false; }
  bool OpenVipPage(int, int, int, const std::wstring&) override { return false; }
  int QueryPrice(int, vipcenter::PayPriceInfo& price) override;
  void RefreshResources(HANDLE stop, vipcenter::PayPriceInfo& price) override;

  // Signalled once the dialog's worker has taken the price.
  HANDLE refreshed() const { return refreshed_.get(); }

 private:
  campaign::CampaignItem item_;
  int hostType_;
  std::wstring utilFolder_;
  std::map<std::wstring, int> overrides_;
  vipcenter::PayPriceInfo price_;
  std::unique_ptr<void, decltype(&CloseHandle)> refreshed_{CreateEventW(nullptr, TRUE, FALSE, nullptr), &CloseHandle};
};

}  // namespace preview
