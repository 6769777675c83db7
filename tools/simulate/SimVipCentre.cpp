#include "simulate/SimVipCentre.h"

#include <memory>
#include <string>

#include "strategy/NewUserDiscountPopStrategy.h"
#include "utils/TextEncoding.h"
#include "utils/UxJson.h"
#include "vipCenterInfo/VipCenterInfoManager.h"

namespace simulate {

namespace {

// The transport error a refused or timed-out connection gives.
constexpr int kUnanswered = 12029;

std::string ShowIdAnswer() {
  return "{\"data\":[{\"device_num\":1,\"normal_show\":[" + std::to_string(SimVipCentre::kNormalShowId) +
         "],\"coupon_show\":[" + std::to_string(SimVipCentre::kCouponShowId) + "]}]}";
}

// The price request names its show id in "show"; the coupon's is priced lower.
bool AsksForCoupon(const std::string& body) {
  qm::UxJson::Document request;
  if (!request.Parse(qm::encoding::Utf8ToWide(body))) return false;
  return request.Get(L"show").At(0).AsInt(0) == SimVipCentre::kCouponShowId;
}

std::string PriceAnswer(bool coupon, int months) {
  const int current = coupon ? SimVipCentre::kPayPrice : SimVipCentre::kReferencePrice;
  return "{\"pay_price_settings\":[{\"month_length\":" + std::to_string(months) +
         ",\"current_price\":" + std::to_string(current) +
         ",\"price\":" + std::to_string(SimVipCentre::kReferencePrice) + "}]}";
}

}  // namespace

int SimVipCentre::QueryPrice(SimWorld& world, int months, double answeredShare, SimRandom& random, const CountFn& count,
                             vipcenter::PayPriceInfo& price) {
  const SimInstall& install = world.install();
  vipcenter::VipCenterContext context;
  context.channel.tid1 = static_cast<uint32_t>(install.tid1);
  context.channel.tid2 = static_cast<uint32_t>(install.tid2);
  context.channel.tryno = world.TryNo();
  const std::wstring item = strategy::NewUserDiscountPopStrategy::ConfigKey(world.TryNo());
  context.configString = [&world, item](const std::wstring& field, const std::wstring& defaultText) {
    return world.ConfigString(item, field, defaultText.c_str());
  };
  std::wstring configUrl;  // known once the requester is made, before its first request
  context.post = [&](const std::wstring& url, const std::string& body, std::string& answer) {
    const bool showIds = url == configUrl;
    count(showIds ? RequestKind::kShowId : RequestKind::kPrice);
    if (!random.Chance(answeredShare)) return kUnanswered;
    answer = showIds ? ShowIdAnswer() : PriceAnswer(AsksForCoupon(body), months);
    return 0;
  };
  std::shared_ptr<vipcenter::VipCenterInfoRequester> requester =
      vipcenter::VipCenterInfoManager::MakeRequester(install.hostType, std::move(context));
  if (!requester) return -1;
  configUrl = requester->GetConfigInterfaceUrl();
  return vipcenter::VipCenterInfoManager(requester).QueryPayPriceInfo(months, price);
}

}  // namespace simulate
