// The VIP-centre requesters of both hosts against the local service, through the network library
// stand-in and the domain transfer that points the module's endpoints at the service.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "HttpTestProduct.h"
#include "VipCenterLog.h"
#include "VipCenterService.h"
#include "VipCenterTestHost.h"
#include "utils/UxJson.h"

using testing_support::HeaderValue;
using testing_support::HttpTestProduct;
using testing_support::ServiceRequest;
using testing_support::VipCenterService;
using vipcenter::PayPriceInfo;

namespace {

std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

class VipCenterRequests : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(service_.running()) << "the local VIP-centre service is not running"; }

  std::wstring Tag() const {
    const char* name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    return std::wstring(name, name + strlen(name));
  }

  std::unique_ptr<vipcenter::VipCenterInfoRequester> Requester(int hostType, const std::wstring& scenario,
                                                               int tryno = 7) {
    return host_.Requester(hostType, service_.HttpBase(scenario, Tag()), tryno);
  }

  std::vector<ServiceRequest> Received(const std::wstring& scenario) const {
    return service_.Requests(scenario, Tag());
  }

  VipCenterService service_;
  testing_support::VipCenterTestHost host_;
};

std::unique_ptr<UxJsonEx::Document> Body(const ServiceRequest& request) {
  auto document = std::make_unique<UxJsonEx::Document>();
  EXPECT_TRUE(document->Parse(request.body)) << Narrow(request.body);
  return document;
}

std::vector<std::wstring> HeaderNames(const testing_support::JournalEntry& entry) {
  std::vector<std::wstring> names;
  const std::wstring& lines = entry.at(L"headers");
  for (size_t at = 0; at < lines.size();) {
    const size_t end = lines.find(L'\n', at);
    names.push_back(lines.substr(at, lines.find(L':', at) - at));
    at = end == std::wstring::npos ? lines.size() : end + 1;
  }
  return names;
}

}  // namespace

TEST_F(VipCenterRequests, TessikCouponPriceAndTheBodiesSent) {
  PayPriceInfo price;
  ASSERT_EQ(Requester(1, L"coupon")->QueryPayPriceInfo(12, price), 0);
  EXPECT_EQ(price.payPrice, 79);
  EXPECT_EQ(price.referencePrice, 89);

  const auto received = Received(L"coupon");
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[0].interfaceName, L"config");
  EXPECT_EQ(received[1].show, 101);
  EXPECT_EQ(received[2].show, 202);
  EXPECT_NE(received[0].path.find(L"/t/api/v2/config"), std::wstring::npos);
  EXPECT_EQ(
      received[0].body,
      L"{\"common\":{\"open_id\":\"open-\\u00fc\u7528\",\"token\":\"tok-1\",\"server_id\":\"svr-9\",\"tryno\":\"7\"},"
      L"\"type\":\"device_upgrade_show\",\"name\":\"Home\"}");
  const auto priceBody = Body(received[1]);
  EXPECT_EQ(priceBody->Get(L"common").Get(L"uuid").AsString(), L"uuid-1");
  EXPECT_EQ(priceBody->Get(L"common").Get(L"user_agent").AsString(), L"web");
  EXPECT_EQ(priceBody->Get(L"common").Get(L"tryno").AsString(), L"7");
  EXPECT_EQ(priceBody->Get(L"common").Get(L"tid1").AsInt64(), 11);
  EXPECT_EQ(priceBody->Get(L"common").Get(L"tod2").AsInt64(), -294967296LL) << "4000000000 as signed 32-bit";
  EXPECT_EQ(priceBody->Get(L"open_id").AsString(), L"open-\u00fc\u7528");
  EXPECT_EQ(priceBody->Get(L"token").AsString(), L"tok-1");
  EXPECT_EQ(priceBody->Get(L"show").At(0).AsInt64(), 101);
  EXPECT_EQ(priceBody->Get(L"show").Size(), 1u);
  EXPECT_EQ(priceBody->Get(L"time_type").AsInt64(-1), 0);
  EXPECT_EQ(priceBody->Get(L"is_continuous").AsInt64(-1), 0);
  EXPECT_EQ(priceBody->Get(L"is_all").AsInt64(-1), 1);
  EXPECT_FALSE(priceBody->Get(L"with_permission_show").IsValid());

  const auto journal = host_.product().Journal(L"Perform");
  ASSERT_EQ(journal.size(), 3u);
  for (const auto& entry : journal) {
    EXPECT_EQ(HeaderNames(entry), (std::vector<std::wstring>{L"Accept", L"Content-Type", L"User-Agent"}));
    EXPECT_NE(entry.at(L"headers").find(L"Content-Type: application/json; charset=utf-8\n"), std::wstring::npos);
  }
}

TEST_F(VipCenterRequests, OrbilantCouponPriceSignedHeadersAndBodies) {
  PayPriceInfo price;
  ASSERT_EQ(Requester(2, L"coupon")->QueryPayPriceInfo(12, price), 0);
  EXPECT_EQ(price.payPrice, 79);
  EXPECT_EQ(price.referencePrice, 89);

  const auto received = Received(L"coupon");
  ASSERT_EQ(received.size(), 3u);
  EXPECT_NE(Narrow(received[0].body).find("\"name\":\"OrbilantHome\""), std::string::npos);
  EXPECT_TRUE(HeaderValue(received[0], L"X-Qm-Authorization").empty());
  for (size_t i = 1; i < 3; ++i) {
    const auto body = Body(received[i]);
    EXPECT_FALSE(body->Get(L"token").IsValid());
    EXPECT_EQ(body->Get(L"with_permission_show").kind(), qm::json::Kind::Bool);
    EXPECT_FALSE(body->Get(L"with_permission_show").AsBool(true));
    EXPECT_EQ(HeaderValue(received[i], L"X-Qm-Productid"), L"2");
    EXPECT_EQ(HeaderValue(received[i], L"X-Qm-Gray-Key"), L"7");
    // The service signed the bytes it received with the shared key, on its own.
    EXPECT_EQ(HeaderValue(received[i], L"X-Qm-Authorization"), received[i].bodyHmacMd5);
    EXPECT_EQ(received[i].bodyHmacMd5.size(), 32u);
  }
  const auto journal = host_.product().Journal(L"Perform");
  ASSERT_EQ(journal.size(), 3u);
  EXPECT_EQ(HeaderNames(journal[0]), (std::vector<std::wstring>{L"Accept", L"Content-Type", L"User-Agent"}));
  EXPECT_EQ(HeaderNames(journal[1]), (std::vector<std::wstring>{L"Accept", L"Content-Type", L"X-Qm-Authorization",
                                                                L"X-Qm-Gray-Key", L"X-Qm-Productid", L"User-Agent"}))
      << "the five headers of the request, then the client's default User-Agent";
}

TEST_F(VipCenterRequests, NegativeMonthSendsNothingMonthZeroStopsAfterTheShowIds) {
  auto requester = Requester(1, L"coupon");
  PayPriceInfo price{5, 6, false};
  EXPECT_EQ(requester->QueryPayPriceInfo(-1, price), -1);
  EXPECT_TRUE(Received(L"coupon").empty());
  EXPECT_EQ(requester->QueryPayPriceInfo(0, price), 10);
  const auto received = Received(L"coupon");
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].interfaceName, L"config");
  EXPECT_EQ(price.payPrice, 5) << "a failed query leaves the prices";
}

TEST_F(VipCenterRequests, WithoutCouponBothPricesAreTheNormalOne) {
  for (const wchar_t* scenario : {L"nocoupon", L"coupon_empty", L"coupon_zero"}) {
    PayPriceInfo price;
    ASSERT_EQ(Requester(2, scenario)->QueryPayPriceInfo(12, price), 0) << Narrow(scenario);
    EXPECT_EQ(price.payPrice, 89) << Narrow(scenario);
    EXPECT_EQ(price.referencePrice, 89);
    EXPECT_EQ(Received(scenario).size(), 2u) << "no coupon request for " << Narrow(scenario);
  }
}

TEST_F(VipCenterRequests, FailingCouponLookupKeepsTheNormalPrice) {
  PayPriceInfo price;
  ASSERT_EQ(Requester(1, L"coupon_fails")->QueryPayPriceInfo(12, price), 0);
  EXPECT_EQ(price.payPrice, 89);
  EXPECT_EQ(price.referencePrice, 89);
  EXPECT_EQ(Received(L"coupon_fails").size(), 3u);
}

TEST_F(VipCenterRequests, ShowIdFailures) {
  PayPriceInfo price;
  EXPECT_EQ(Requester(1, L"no_device1")->QueryPayPriceInfo(12, price), 4);
  EXPECT_EQ(Requester(1, L"data_object")->QueryPayPriceInfo(12, price), 4);
  EXPECT_EQ(Requester(1, L"data_empty")->QueryPayPriceInfo(12, price), 3);
  vipcenter::ShowIdInfo ids;
  EXPECT_EQ(Requester(1, L"second_device_entry")->RequestShowId(1, ids), 0);
  EXPECT_EQ(ids.normal, 101) << "the first entry of device 1 wins";
  EXPECT_EQ(ids.coupon, 202);
  EXPECT_EQ(Requester(1, L"coupon")->RequestShowId(0, ids), 1);
  EXPECT_TRUE(Received(L"coupon").empty());
}

TEST_F(VipCenterRequests, PriceEntryShapes) {
  PayPriceInfo price;
  EXPECT_EQ(Requester(1, L"month_string")->QueryPayPriceInfo(12, price), 12);
  ASSERT_EQ(Requester(1, L"no_current_price")->QueryPayPriceInfo(12, price), 0);
  EXPECT_EQ(price.referencePrice, 0);
  EXPECT_EQ(price.payPrice, 0) << "a coupon current_price given as a string counts as 0";
  ASSERT_EQ(Requester(2, L"duplicate_months")->QueryPayPriceInfo(12, price), 0);
  EXPECT_EQ(price.referencePrice, 89);
  EXPECT_EQ(price.payPrice, 79);
  ASSERT_EQ(Requester(2, L"coupon")->QueryPayPriceInfo(1, price), 0);
  EXPECT_EQ(price.referencePrice, 15);
  EXPECT_EQ(price.payPrice, 12);
  EXPECT_EQ(Requester(2, L"coupon")->QueryPayPriceInfo(36, price), 12) << "no entry for 36 months";
}

TEST_F(VipCenterRequests, MissingServerListSendsTrynoMinusOne) {
  PayPriceInfo price;
  ASSERT_EQ(Requester(2, L"coupon", -1)->QueryPayPriceInfo(12, price), 0);
  const auto received = Received(L"coupon");
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(Body(received[0])->Get(L"common").Get(L"tryno").AsString(), L"-1");
  EXPECT_EQ(Body(received[1])->Get(L"common").Get(L"tryno").AsString(), L"-1");
  EXPECT_EQ(HeaderValue(received[1], L"X-Qm-Gray-Key"), L"-1");
}

TEST_F(VipCenterRequests, InvalidJsonFromTheConfigInterface) {
  PayPriceInfo price;
  EXPECT_EQ(Requester(1, L"config_invalid")->QueryPayPriceInfo(12, price), 2);
  EXPECT_TRUE(testing_support::LoggedByThisThread(L"RequestConfigInterface failed: -1"));
  EXPECT_TRUE(testing_support::LoggedByThisThread(L"RequestShowId failed: 2"));
}
