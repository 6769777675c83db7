#pragma once

#include <functional>
#include <mutex>

#include "product/HostSystem.h"
#include "product/ProductInfo.h"
#include "strategy/IPopStrategyWorld.h"
#include "vanta/IZVantaWarpper.h"

namespace strategy {

// The strategy's world on a real machine: the remote configuration, the registry, the host's and
// the module's files, the clock and the VIP facade.
class Win32PopStrategyWorld final : public IPopStrategyWorld {
 public:
  using VipStateFunction = std::function<int()>;

  // createUtilFolder false leaves the disk as it is (the explainer).
  Win32PopStrategyWorld(product::HostSystem& system, product::ProductInfo& info, vanta::IZVantaWarpper& vanta,
                        VipStateFunction vipState, bool createUtilFolder = true)
      : system_(system), info_(info), vanta_(vanta), vipState_(std::move(vipState)), createUtilFolder_(createUtilFolder) {}

  // The process's singletons: product record, remote configuration and VIP facade.
  static Win32PopStrategyWorld& Current();

  int TryNo() override;
  std::wstring RawConfig(const std::wstring& item) override;
  std::wstring ConfigString(const std::wstring& item, const std::wstring& field, const wchar_t* defaultText) override;
  int ConfigInt(const std::wstring& item, const std::wstring& field, int defaultValue) override;
  int AbGroup(const std::wstring& item, int defaultGroup) override;
  InstallTimeReading InstallTime() override;
  int64_t Now() override;
  std::wstring UtilFolder() override;
  std::wstring LocalConfigFolder() override { return info_.localConfigFolder; }
  int Tid1() override;
  int Tid2() override;
  std::wstring MachineUuid() override;
  int VipState() override { return vipState_ ? vipState_() : 1; }
  // Whether the host needs a price comes from its profile; the figures from the last SetLastPrice.
  PriceReading Price() override;
  // The pop-up hands over its worker's last price; the explainer the one it queried.
  void SetLastPrice(const PriceReading& price);

 private:
  int ChannelValue(const wchar_t* name);

  product::HostSystem& system_;
  product::ProductInfo& info_;
  vanta::IZVantaWarpper& vanta_;
  VipStateFunction vipState_;
  bool createUtilFolder_;
  std::mutex priceLock_;
  PriceReading lastPrice_;  // under priceLock_
};

}  // namespace strategy
