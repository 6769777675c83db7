// The VIP-centre requesters without a network: answer parsing, bodies, headers, refusals.
#include <gtest/gtest.h>

#include <memory>

#include "VipCenterLog.h"
#include "utils/HmacMd5.h"
#include "utils/TextEncoding.h"
#include "vipCenterInfo/OrbilantVipCenterInfoRequester.h"
#include "vipCenterInfo/TessikVipCenterInfoRequester.h"
#include "vipCenterInfo/VipCenterInfoManager.h"

using namespace vipcenter;

namespace {

struct Counted {
  int clients = 0;
};

VipCenterContext Context(Counted& counted, int tryno = 3) {
  VipCenterContext context;
  context.channel.tryno = tryno;
  context.channel.svrid = L"S";
  context.channel.uuid = L"U";
  context.makeClient = [&counted] {
    ++counted.clients;
    return std::unique_ptr<network::ZTessikNetvok>();
  };
  return context;
}

std::unique_ptr<qm::UxJson::Document> Parse(const wchar_t* text) {
  auto document = std::make_unique<qm::UxJson::Document>();
  document->Parse(text);
  return document;
}

// Endpoints the test chooses, to see the refusals before sending.
class EmptyUrlRequester final : public VipCenterInfoRequester {
 public:
  using VipCenterInfoRequester::VipCenterInfoRequester;
  std::wstring GetConfigInterfaceUrl() override { return L""; }
  std::wstring GetPriceInterfaceUrl() override { return L""; }
  std::wstring BuildConfigRequestBody() override { return L"{}"; }
  std::wstring BuildPriceRequestBody(int) override { return L""; }
  Headers BuildPriceRequestHeaders(const std::wstring&) override { return {}; }
};

}  // namespace

TEST(VipCenterParse, ShowIdsOfTheFirstMatchingDevice) {
  Counted counted;
  TessikVipCenterInfoRequester requester(Context(counted));
  ShowIdInfo ids{9, 9};
  EXPECT_EQ(requester.ParseShowIdInfo(
                *Parse(L"{\"data\":[{\"device_num\":\"1\",\"normal_show\":[5]},{\"device_num\":1,\"normal_show\":[7,8],"
                       L"\"coupon_show\":[\"x\"]},{\"device_num\":1,\"normal_show\":[99]}]}"),
                1, ids),
            0);
  EXPECT_EQ(ids.normal, 7);
  EXPECT_EQ(ids.coupon, 0) << "a non-integer first element reads as 0";
  EXPECT_EQ(requester.ParseShowIdInfo(*Parse(L"{\"data\":[{\"device_num\":2}]}"), 1, ids), 4);
  EXPECT_EQ(requester.ParseShowIdInfo(*Parse(L"{\"data\":[]}"), 1, ids), 3);
  EXPECT_EQ(requester.ParseShowIdInfo(*Parse(L"{\"data\":null}"), 1, ids), 3);
  EXPECT_EQ(requester.ParseShowIdInfo(*Parse(L"{\"data\":7}"), 1, ids), 3);
  EXPECT_EQ(requester.ParseShowIdInfo(*Parse(L"{}"), 1, ids), 3);
  EXPECT_EQ(requester.ParseShowIdInfo(*Parse(L"null"), 1, ids), 1);
  EXPECT_EQ(requester.ParseShowIdInfo(*Parse(L"<"), 1, ids), 1);
  EXPECT_EQ(requester.ParseShowIdInfo(*Parse(L"{\"data\":[{\"device_num\":1}]}"), 0, ids), 1);
  EXPECT_EQ(requester.ParseShowIdInfo(*Parse(L"{\"data\":[{\"device_num\":1,\"normal_show\":[]}]}"), 1, ids), 0);
  EXPECT_EQ(ids.normal, 0);
  EXPECT_EQ(counted.clients, 0);
}

TEST(VipCenterParse, PriceEntryOfTheMonth) {
  Counted counted;
  OrbilantVipCenterInfoRequester requester(Context(counted));
  PriceEntry entry{5, 5};
  const auto settings = Parse(
      L"{\"pay_price_settings\":[{\"month_length\":\"12\",\"current_price\":1},{\"month_length\":12,\"price\":199},"
      L"{\"month_length\":12,\"current_price\":2,\"price\":3}]}");
  EXPECT_EQ(requester.ParsePayPriceSettings(*settings, 12, entry), 0);
  EXPECT_EQ(entry.currentPrice, 0);
  EXPECT_EQ(entry.price, 199);
  EXPECT_EQ(requester.ParsePayPriceSettings(*settings, 6, entry), -1);
  EXPECT_EQ(requester.ParsePayPriceSettings(*Parse(L"{\"pay_price_settings\":{}}"), 12, entry), -1);
  EXPECT_EQ(requester.ParsePayPriceSettings(*Parse(L"{\"pay_price_settings\":[]}"), 12, entry), -1);
  EXPECT_EQ(requester.ParsePayPriceSettings(*Parse(L"null"), 12, entry), -1);
  EXPECT_EQ(requester.ParsePayPriceSettings(*Parse(L""), 12, entry), -1);
}

TEST(VipCenterParse, ConfigBodyDefaultsAndRemoteFields) {
  Counted counted;
  VipCenterContext context = Context(counted, -1);
  TessikVipCenterInfoRequester tessik(context);
  EXPECT_EQ(tessik.BuildConfigRequestBody(),
            L"{\"common\":{\"open_id\":\"\",\"token\":\"\",\"server_id\":\"S\",\"tryno\":\"-1\"},"
            L"\"type\":\"device_upgrade_show\",\"name\":\"Home\"}");
  context.configString = [](const std::wstring& field, const std::wstring& defaultText) {
    return field == L"config_api_name_param" ? std::wstring(L"Elsewhere") : defaultText;
  };
  context.user = [] { return VipCenterUser{L"o", L"t"}; };
  OrbilantVipCenterInfoRequester orbilant(context);
  EXPECT_EQ(orbilant.BuildConfigRequestBody(),
            L"{\"common\":{\"open_id\":\"o\",\"token\":\"t\",\"server_id\":\"S\",\"tryno\":\"-1\"},"
            L"\"type\":\"device_upgrade_show\",\"name\":\"Elsewhere\"}");
  EXPECT_NE(
      OrbilantVipCenterInfoRequester(Context(counted)).BuildConfigRequestBody().find(L"\"name\":\"OrbilantHome\""),
      std::wstring::npos);
}

TEST(VipCenterParse, PriceHeadersPerHost) {
  Counted counted;
  EXPECT_TRUE(TessikVipCenterInfoRequester(Context(counted)).BuildPriceRequestHeaders(L"{}").empty());
  OrbilantVipCenterInfoRequester orbilant(Context(counted, -1));
  const std::wstring body = orbilant.BuildPriceRequestBody(42);
  const auto headers = orbilant.BuildPriceRequestHeaders(body);
  ASSERT_EQ(headers.size(), 3u);
  EXPECT_EQ(headers.at("X-Qm-Productid"), "2");
  EXPECT_EQ(headers.at("X-Qm-Gray-Key"), "-1");
  const std::string& signature = headers.at("X-Qm-Authorization");
  EXPECT_EQ(signature.size(), 32u);
  EXPECT_EQ(signature.find_first_not_of("0123456789abcdef"), std::string::npos);
  EXPECT_NE(orbilant.BuildPriceRequestHeaders(body + L" ").at("X-Qm-Authorization"), signature);
  EXPECT_NE(body.find(L"\"with_permission_show\":false"), std::wstring::npos);
  EXPECT_EQ(body.find(L"\"token\""), std::wstring::npos);
  EXPECT_NE(TessikVipCenterInfoRequester(Context(counted)).BuildPriceRequestBody(42).find(L"\"token\":\"\""),
            std::wstring::npos);
}

// Channel values of 2^31 and more go out as the service has always received them: signed.
TEST(VipCenterParse, PriceBodyWritesChannelValuesAsSigned32Bit) {
  Counted counted;
  VipCenterContext context = Context(counted);
  context.channel.tid1 = 2147483648u;
  context.channel.tid2 = 4294967295u;
  context.channel.tod1 = 3000000000u;
  context.channel.tod2 = 2147483647u;
  const std::wstring expected =
      L"\"tid1\":-2147483648,\"tid2\":-1,\"tod1\":-1294967296,\"tod2\":2147483647";
  for (const std::wstring& body : {TessikVipCenterInfoRequester(context).BuildPriceRequestBody(42),
                                   OrbilantVipCenterInfoRequester(context).BuildPriceRequestBody(42)}) {
    EXPECT_NE(body.find(expected), std::wstring::npos) << qm::encoding::WideToUtf8(body);
  }
}

TEST(VipCenterParse, RefusalsSendNothing) {
  Counted counted;
  EmptyUrlRequester requester(Context(counted));
  std::wstring response = L"kept";
  EXPECT_EQ(requester.SendPostRequest(L"", {}, L"{}", response), -1);
  EXPECT_EQ(requester.SendPostRequest(L"http://x/", {}, L"", response), -1);
  EXPECT_EQ(response, L"kept");
  PriceEntry entry;
  EXPECT_EQ(requester.QueryPriceByShowId(0, 12, entry), 10);
  EXPECT_EQ(requester.QueryPriceByShowId(1, 0, entry), 10);
  EXPECT_EQ(requester.QueryPriceByShowId(1, 12, entry), 11) << "empty body";
  ShowIdInfo ids;
  EXPECT_EQ(requester.RequestShowId(1, ids), 2) << "empty URL";
  EXPECT_EQ(counted.clients, 0);
  PayPriceInfo price;
  EXPECT_EQ(requester.QueryPayPriceInfo(-5, price), -1);
}

TEST(VipCenterParse, ManagerWithoutRequesterForOtherHosts) {
  Counted counted;
  for (int type : {0, 3, 4, 5, 6, 7}) {
    VipCenterInfoManager manager(type, Context(counted));
    EXPECT_FALSE(manager.HasRequester());
    PayPriceInfo price;
    EXPECT_EQ(manager.QueryPayPriceInfo(12, price), -1);
  }
  EXPECT_TRUE(VipCenterInfoManager(1, Context(counted)).HasRequester());
  EXPECT_TRUE(VipCenterInfoManager(2, Context(counted)).HasRequester());
}

// The service's answers are a few kilobytes: one beyond the limit is refused before it is parsed,
// with an ERROR line, and so counts as unparsable (a price lookup fails with 12, a show-id request
// with 2) instead of holding the refresh while hostile text is parsed.
TEST(BoundaryVipCenter, AnAnswerBeyondTheLimitIsRefusedUnparsed) {
  const size_t limit = VipCenterInfoRequester::kMaxAnswerLength;
  const std::wstring head = L"{\"pay_price_settings\":[{\"month_length\":12,\"current_price\":79}],\"pad\":\"";
  const auto answer = [&head](size_t length) { return head + std::wstring(length - head.size() - 2, L'a') + L"\"}"; };
  Counted counted;
  TessikVipCenterInfoRequester requester(Context(counted));
  qm::UxJson::Document fits;
  VipCenterInfoRequester::ParseAnswer(answer(limit), fits);
  ASSERT_NE(fits.root(), nullptr);
  PriceEntry entry;
  EXPECT_EQ(requester.ParsePayPriceSettings(fits, 12, entry), 0);
  EXPECT_EQ(entry.currentPrice, 79);
  qm::UxJson::Document refused;
  VipCenterInfoRequester::ParseAnswer(answer(limit + 1), refused);
  EXPECT_EQ(refused.root(), nullptr);
  EXPECT_TRUE(testing_support::LoggedByThisThread(L"Response too large, not parsed: 1048577 characters"));
}
