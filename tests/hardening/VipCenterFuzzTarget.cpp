#include "VipCenterFuzzTarget.h"

#include "FuzzText.h"

namespace hardening {

using qm::json::Kind;
using qm::UxJson::Handle;
using vipcenter::PriceEntry;
using vipcenter::ShowIdInfo;

namespace {

bool Filled(const Handle& handle) {
  return (handle.kind() == Kind::Array || handle.kind() == Kind::Object) && handle.Size() > 0;
}
int IntOr0(const Handle& handle) { return handle.kind() == Kind::Long ? handle.AsInt(0) : 0; }
// Elements are visited by index: an object has members but no element at any index.
Handle First(const Handle& handle) { return handle.At(0); }
Handle Element(const Handle& container, size_t index) { return container.At(index); }

// The expected show ids: 1 bad input, 3 bad "data", 4 device not found.
int ExpectedShowIds(const qm::UxJson::Document& document, int device, ShowIdInfo& out) {
  if (!document.root() || document.kind() == Kind::Null || device < 1) return 1;
  const Handle data = document.Get(L"data");
  if (!Filled(data)) return 3;
  for (size_t i = 0; i < data.Size(); ++i) {
    const Handle entry = Element(data, i);
    const Handle number = entry.Get(L"device_num");
    if (number.kind() != Kind::Long || number.AsInt(0) != device) continue;
    const Handle normal = entry.Get(L"normal_show"), coupon = entry.Get(L"coupon_show");
    out.normal = Filled(normal) ? IntOr0(First(normal)) : 0;
    out.coupon = Filled(coupon) ? IntOr0(First(coupon)) : 0;
    return 0;
  }
  return 4;
}

int ExpectedPrice(const qm::UxJson::Document& document, int month, PriceEntry& out) {
  if (!document.root() || document.kind() == Kind::Null) return -1;
  const Handle settings = document.Get(L"pay_price_settings");
  if (!Filled(settings)) return -1;
  for (size_t i = 0; i < settings.Size(); ++i) {
    const Handle entry = Element(settings, i);
    if (!entry.IsValid()) continue;
    if (IntOr0(entry.Get(L"month_length")) != month) continue;
    out.currentPrice = IntOr0(entry.Get(L"current_price"));
    out.price = IntOr0(entry.Get(L"price"));
    return 0;
  }
  return -1;
}

}  // namespace

VipCenterFuzzTarget::VipCenterFuzzTarget()
    : requester_(std::make_unique<vipcenter::TessikVipCenterInfoRequester>(vipcenter::VipCenterContext{})) {}

std::vector<std::string> VipCenterFuzzTarget::Corpus() {
  return {
      R"({"data":[{"device_num":1,"normal_show":[101,102],"coupon_show":[201]}]})",
      R"({"code":0,"data":[{"device_num":2,"normal_show":[5]},{"device_num":1,"normal_show":[7],"coupon_show":[]}]})",
      R"({"data":[{"device_num":"1","normal_show":[5]},{"device_num":1,"normal_show":["x"],"coupon_show":[0]}]})",
      R"({"pay_price_settings":[{"month_length":12,"current_price":98,"price":148},{"month_length":1,"current_price":15,"price":25}]})",
      R"({"pay_price_settings":[{"month_length":"12","current_price":1},{"month_length":12},{"month_length":12,"current_price":2}]})",
      R"({"data":{"a":{"device_num":1,"normal_show":{"k":3}}},"pay_price_settings":{"x":{"month_length":12,"price":9}}})",
      R"({"data":[],"pay_price_settings":null})",
  };
}

std::vector<std::string> VipCenterFuzzTarget::Tokens() const {
  return {"{", "}", "[", "]", "\"", ":", ",", "null", "\"data\":", "\"device_num\":", "\"normal_show\":",
          "\"coupon_show\":", "\"pay_price_settings\":", "\"month_length\":", "\"current_price\":", "\"price\":",
          "1", "12", "-1", "0", "2147483648", "\\u0000", "\xFF", "\xC0\xAF"};
}

FuzzVerdict VipCenterFuzzTarget::Run(const std::string& input) {
  ++runs_;
  qm::UxJson::Document document;
  document.Parse(FuzzText::Decode(input));
  const int device = runs_ % 8 == 0 ? static_cast<int>(runs_ % 5) - 1 : 1;
  const int month = runs_ % 4 == 0 ? static_cast<int>(runs_ % 25) - 1 : 12;

  ShowIdInfo ids{-7, -7}, expectedIds;
  const int idsResult = requester_->ParseShowIdInfo(document, device, ids);
  const int expectedIdsResult = ExpectedShowIds(document, device, expectedIds);
  PriceEntry price{-7, -7}, expectedPrice;
  const int priceResult = requester_->ParsePayPriceSettings(document, month, price);
  const int expectedPriceResult = ExpectedPrice(document, month, expectedPrice);

  FuzzVerdict verdict = FuzzVerdict::Accepted(idsResult == 0 || priceResult == 0);
  verdict.Check(idsResult == expectedIdsResult, "show-id result differs from the answer")
      .Check(priceResult == expectedPriceResult, "price result differs from the answer")
      .Check(priceResult == 0 ? price.currentPrice == expectedPrice.currentPrice && price.price == expectedPrice.price
                              : price.currentPrice == 0 && price.price == 0,
             "price values differ from the answer or survive a failure");
  if (idsResult == 0) {
    verdict.Check(ids.normal == expectedIds.normal && ids.coupon == expectedIds.coupon, "show ids differ from the answer");
  } else if (idsResult != 1) {
    verdict.Check(ids.normal == 0 && ids.coupon == 0, "show ids survive a failure");
  }
  return verdict;
}

}  // namespace hardening
