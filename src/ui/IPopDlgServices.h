#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "product/HostProfile.h"
#include "strategy/PopLocalState.h"
#include "vipCenterInfo/VipCenterTypes.h"

namespace ui {

// Everything the new-user discount pop-up asks of the rest of the module: the host, the offer's
// configuration, the strategy and image check, records, the user's VIP state and pages, the price,
// and the background refresh. One implementation wires the real parts; tests give their own.
class IPopDlgServices {
 public:
  virtual ~IPopDlgServices() = default;

  virtual const product::HostProfile& Host() = 0;
  virtual std::wstring UtilFolder() = 0;  // ends with a backslash
  // A field of the offer's configuration item, as an integer.
  virtual int ConfigInt(const std::wstring& field, int defaultValue) = 0;
  // The offer's checks, the price of the worker's last refresh among them.
  virtual bool StrategyCanShow(int scene, const vipcenter::PayPriceInfo& lastPrice) = 0;
  // Whether the last StrategyCanShow let the offer through for a QA machine: that show sends no
  // records and leaves last_show_time alone, so the machine can look again.
  virtual bool QaShow() { return false; }
  virtual bool ImagesValid() = 0;
  // From now on the offer counts as shown: "last_show_time" in the module's state file.
  virtual void RecordShown(int64_t seconds) { strategy::PopLocalState::RecordShowTime(UtilFolder(), seconds); }

  // "tessik_pdfnewuser_pop:9083" and the purchase record "tessik_wypdf_vippop:7948".
  virtual void ReportPop(int adShow, int adClick, int noShowReason) = 0;
  virtual void ReportPurchase(int userType) = 0;

  virtual int VipState() = 0;  // 1 not logged in, 2 logged in, 3 VIP
  virtual bool IsLogin() = 0;
  // Page type 1 login, 2 purchase; query "" opens the page without one.
  virtual bool OpenVipPage(int pageType, int vipFrom, int fid, const std::wstring& query) = 0;

  // 0 on success.
  virtual int QueryPrice(int months, vipcenter::PayPriceInfo& price) = 0;
  // Makes sure the process's price source exists (it reads the host's identity when it is made).
  virtual void TouchPriceSource() {}
  // The resource refresh: remote configuration, price and images. Runs on the worker thread;
  // a signalled stop (manual-reset) ends any wait at once.
  virtual void RefreshResources(HANDLE stop, vipcenter::PayPriceInfo& price) = 0;
};

}  // namespace ui
