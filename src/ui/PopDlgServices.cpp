#include "ui/PopDlgServices.h"

#include "network/ZTessikNetvok.h"
#include "product/ProductInfo.h"
#include "report/ReportSchemas.h"
#include "report/TalloAdapterHolder.h"
#include "report/TalloRecordSender.h"
#include "strategy/NewUserDiscountPopStrategy.h"
#include "strategy/PopImageChecker.h"
#include "strategy/PopLocalState.h"
#include "strategy/PopShownMemory.h"
#include "strategy/TalloPopReporter.h"
#include "strategy/Win32PopStrategyWorld.h"
#include "ui/PopImageDownloader.h"
#include "utils/Log.h"
#include "vanta/VantaUtils.h"
#include "vanta/OfferFields.h"
#include "vanta/ZVantaWarpper.h"
#include "vip/CPDFVipSdkAdapter.h"
#include "vipCenterInfo/VipCenterInfoManager.h"

namespace ui {

using report::TalloField;
using namespace vanta::offer;

PopDlgServices::PopDlgServices() : world_(strategy::Win32PopStrategyWorld::Current()) {}

const product::HostProfile& PopDlgServices::Host() { return product::HostProfile::Current(); }

std::wstring PopDlgServices::UtilFolder() { return world_.UtilFolder(); }

std::wstring PopDlgServices::ConfigKey() { return strategy::NewUserDiscountPopStrategy::ConfigKey(world_.TryNo()); }

std::wstring PopDlgServices::ConfigString(const wchar_t* field) { return world_.ConfigString(ConfigKey(), field, L""); }

int PopDlgServices::ConfigInt(const std::wstring& field, int defaultValue) {
  return world_.ConfigInt(ConfigKey(), field, defaultValue);
}

bool PopDlgServices::StrategyCanShow(int scene, const vipcenter::PayPriceInfo& lastPrice) {
  world_.SetLastPrice({false, lastPrice.valid, lastPrice.payPrice, lastPrice.referencePrice, L"the last refresh"});
  strategy::TalloPopReporter reporter;
  const strategy::PopDecision decision = strategy::NewUserDiscountPopStrategy(world_, &reporter).Decide(scene);
  qaShow_ = decision.show && decision.qa;
  return decision.show;
}

bool PopDlgServices::ImagesValid() {
  return strategy::PopImageChecker::AllValid(strategy::PopImageChecker::Check(
      ConfigString(kBackgroundUrl.name), ConfigString(kCloseUrl.name), ConfigString(kConfirmUrl.name), UtilFolder()));
}

void PopDlgServices::ReportPop(int adShow, int adClick, int noShowReason) {
  // The show record goes out as the window opens: from then on the offer counts as shown in this
  // process too, should its record not reach the state file.
  if (adShow == 1 && adClick == 0) {
    strategy::PopShownMemory::MarkShown(strategy::PopLocalState::StateFilePath(UtilFolder()));
  }
  strategy::TalloPopReporter().Report(adShow, adClick, noShowReason);
}

void PopDlgServices::ReportPurchase(int userType) {
  const auto holder = report::TalloAdapterHolder::CreateCurrent();
  if (!holder) return;
  report::TalloRecordSender::Send(
      holder->adapter(), report::kVipPopSchema,
      {TalloField::Int(L"product_id", holder->ProductId()), TalloField::Int(L"ver", 8), TalloField::Int(L"click", 999),
       TalloField::Int(L"usertype", userType), TalloField::Int(L"function_id", 0), TalloField::Int(L"item1", 0),
       TalloField::Int(L"show_from", 6411), TalloField::Int(L"type2", 0), TalloField::Int(L"pop_show", 0),
       TalloField::Int(L"show_type", 3)});
}

int PopDlgServices::VipState() { return vip::CPDFVipSdkAdapter::Instance().GetVipState(); }

bool PopDlgServices::IsLogin() { return vip::CPDFVipSdkAdapter::Instance().IsLogin(); }

bool PopDlgServices::OpenVipPage(int pageType, int vipFrom, int fid, const std::wstring& query) {
  vip::CPDFVipSdkAdapter& facade = vip::CPDFVipSdkAdapter::Instance();
  return query.empty() ? facade.OpenVipPage(pageType, vipFrom, fid)
                       : facade.OpenVipPageWithQuery(pageType, vipFrom, fid, query);
}

int PopDlgServices::QueryPrice(int months, vipcenter::PayPriceInfo& price) {
  return vipcenter::VipCenterInfoManager::Instance().QueryPayPriceInfo(months, price);
}

void PopDlgServices::TouchPriceSource() { vipcenter::VipCenterInfoManager::Instance(); }

void PopDlgServices::RefreshResources(HANDLE stop, vipcenter::PayPriceInfo& price) {
  ZLOG(DEBUG) << L"NewUserDiscount update resource";
  if (!strategy::NewUserDiscountPopStrategy(world_, nullptr).IsNeedUpdateSource()) return;
  const product::HostProfile& host = Host();
  // A stop asked while a step waited on the network or the helper ends the refresh there: the
  // module is going away and must not touch what it has released.
  const auto stopped = [stop] { return stop && WaitForSingleObject(stop, 0) == WAIT_OBJECT_0; };
  if (host.helperRefresh) VantaUtils::RefreshIfDue(vanta::CurrentWarpper(), ConfigKey(), stop);
  if (stopped()) return;
  TouchPriceSource();
  if (host.HasPrice()) {
    price.valid = QueryPrice(ConfigInt(kPackageMonths.name, kPackageMonths.defaultNumber), price) == 0;
    if (stopped()) return;
  }
  PopImageDownloader downloader(
      [](const std::wstring& url, const std::wstring& file) { return network::ZTessikNetvok().Download(url, file); });
  downloader.Refresh(ConfigString(kBackgroundUrl.name), ConfigString(kCloseUrl.name), ConfigString(kConfirmUrl.name),
                     UtilFolder(), stop);
  if (stopped()) return;
  ZPLOG(DEBUG, GetLastError()) << L"NewUserDiscount update resource success";
}

}  // namespace ui
