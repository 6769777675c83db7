// Responses no service should send: huge, never ending, broken, cut off. Each ends in a clean
// failure code and nothing of it is taken for a price.
#include <gtest/gtest.h>

#include "HttpTestProduct.h"
#include "VipCenterLog.h"
#include "VipCenterService.h"
#include "VipCenterTestHost.h"

using testing_support::HttpTestProduct;
using testing_support::VipCenterService;
using vipcenter::PayPriceInfo;

namespace {

class HostileResponses : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(service_.running()) << "the local VIP-centre service is not running"; }
  std::wstring Tag() const {
    const char* name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    return std::wstring(name, name + strlen(name));
  }
  int Query(int hostType, const std::wstring& scenario, PayPriceInfo& price) {
    return host_.Requester(hostType, service_.HttpBase(scenario, Tag()))->QueryPayPriceInfo(12, price);
  }
  std::wstring LastResult() { return host_.product().Journal(L"Perform").back().at(L"result"); }

  VipCenterService service_;
  testing_support::VipCenterTestHost host_;
};

}  // namespace

TEST_F(HostileResponses, HugeBodiesAreRefused) {
  HttpTestProduct product;
  std::string response;
  EXPECT_EQ(product.MakeClient()->Request(service_.HttpBase(L"other_huge", Tag()) + L"x", "{}", 2, response),
            netvok::kFailureTooLarge);
  EXPECT_TRUE(response.empty());

  PayPriceInfo price{1, 2, false};
  EXPECT_EQ(Query(1, L"config_huge", price), 2);
  EXPECT_TRUE(testing_support::LoggedByThisThread(L"SendPostRequest failed: 2"));
  EXPECT_EQ(Query(2, L"price_huge", price), 12);
  EXPECT_EQ(price.payPrice, 1) << "nothing of a failed query is kept";
  EXPECT_EQ(price.referencePrice, 2);

  // A download streams to its file, up to the library's own limit for downloads (far above a picture).
  const std::wstring target = product.folder() + L"big.bin";
  EXPECT_EQ(product.MakeClient()->Download(service_.HttpBase(L"file_huge", Tag()) + L"files/big.bin", target),
            netvok::kFailureTooLarge);
  EXPECT_FALSE(testing_support::FileExists(target));
}

// Takes the client's 30 seconds: the time-out is fixed, so the test waits it out once.
TEST_F(HostileResponses, ResponseThatNeverEndsTimesOut) {
  PayPriceInfo price;
  EXPECT_EQ(Query(1, L"config_drip", price), 2);
  EXPECT_EQ(LastResult(), std::to_wstring(netvok::kFailureTimeout));
  EXPECT_TRUE(testing_support::LoggedByThisThread(L"SendPostRequest failed: 12002"));
  EXPECT_TRUE(testing_support::LoggedByThisThread(L"RequestConfigInterface failed: 12002"));
}

TEST_F(HostileResponses, BrokenAndClosedConnections) {
  PayPriceInfo price;
  EXPECT_EQ(Query(1, L"config_close", price), 2);
  EXPECT_NE(LastResult(), L"0");
  EXPECT_EQ(Query(2, L"config_truncated", price), 2);
  EXPECT_NE(LastResult(), L"0");
  EXPECT_EQ(Query(2, L"price_close", price), 12);
  EXPECT_EQ(Query(1, L"config_500", price), 2);
  EXPECT_EQ(LastResult(), L"500");
  EXPECT_TRUE(testing_support::LoggedByThisThread(L"SendPostRequest failed: 500"));
  EXPECT_EQ(Query(1, L"config_garbage", price), 2);
  EXPECT_TRUE(testing_support::LoggedByThisThread(L"RequestConfigInterface failed: -1"));
  EXPECT_EQ(price.payPrice, 0);
}

TEST_F(HostileResponses, InvalidUtf8IsReplacedNotTrusted) {
  // The broken bytes sit in a member nobody reads: the prices around them still count.
  PayPriceInfo price;
  ASSERT_EQ(Query(1, L"config_utf8", price), 0);
  EXPECT_EQ(price.payPrice, 79);
  ASSERT_EQ(Query(2, L"price_utf8", price), 0);
  EXPECT_EQ(price.referencePrice, 89);
  EXPECT_EQ(price.payPrice, 79);
}

TEST_F(HostileResponses, NothingListeningOnThePort) {
  PayPriceInfo price;
  EXPECT_EQ(host_.Requester(1, L"http://127.0.0.1:1/s/x/")->QueryPayPriceInfo(12, price), 2);
  EXPECT_NE(LastResult(), L"0");
}
