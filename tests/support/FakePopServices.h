#pragma once

#include <map>
#include <string>

#include "ui/IPopDlgServices.h"

namespace testing_support {

// The pop-up's services as a logged-in user of a host type has them, with a price and the pictures
// in place: the offer's numbers from config (the default otherwise), nothing reported, every page
// opened. Tests override what they watch.
class FakePopServices : public ui::IPopDlgServices {
 public:
  explicit FakePopServices(std::wstring utilFolder = L"", int host = 1) : folder(std::move(utilFolder)), hostType(host) {}

  const product::HostProfile& Host() override { return product::HostProfile::Of(hostType); }
  std::wstring UtilFolder() override { return folder + L"\\"; }
  int ConfigInt(const std::wstring& field, int value) override {
    const auto found = config.find(field);
    return found == config.end() ? value : found->second;
  }
  bool StrategyCanShow(int, const vipcenter::PayPriceInfo&) override { return true; }
  bool ImagesValid() override { return true; }
  void ReportPop(int, int, int) override {}
  void ReportPurchase(int) override {}
  int VipState() override { return 2; }
  bool IsLogin() override { return VipState() >= 2; }
  bool OpenVipPage(int, int, int, const std::wstring&) override { return true; }
  int QueryPrice(int, vipcenter::PayPriceInfo& out) override { return out = price, 0; }
  void RefreshResources(HANDLE, vipcenter::PayPriceInfo& out) override { out = price; }

  std::wstring folder;
  int hostType;
  std::map<std::wstring, int> config;
  vipcenter::PayPriceInfo price{79, 89, true};
};

}  // namespace testing_support
