// The price of the recommended package end to end: a host of type 1 or 2 laid out by the host
// fixture, the network library and the domain transfer in its folder, the process's manager
// asking the local service.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "ChildProcess.h"
#include "TestFiles.h"
#include "VipCenterService.h"
#include "utils/TextEncoding.h"
#include "utils/UxJson.h"

using testing_support::ChildProcess;
using testing_support::HeaderValue;
using testing_support::ServiceRequest;
using testing_support::VipCenterService;

namespace {

class VipCenterHost : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(service_.running()) << "the local VIP-centre service is not running"; }
  void TearDown() override {
    if (!root_.empty()) ChildProcess::Run(L"hostfixture.exe", L"remove --type 1 --root " + root_);
  }

  // Installs the host with its endpoints pointed at scenario~tag and runs the price query in it.
  void Query(int type, const std::wstring& scenario) {
    scenario_ = scenario;
    tag_ = L"host" + std::to_wstring(type);
    root_ = L"C:\\activity-hosts\\vc" + std::to_wstring(type) + scenario;
    const std::wstring base = service_.HttpBase(scenario, tag_);
    const std::wstring options =
        L" --tid1 11 --tid2 12 --tod1 13 --tod2 14 --tryno 5 --wexutil"
        L" --wexutil-rule https://vipcenter.tessik.example/ " +
        base + L"t/" + L" --wexutil-rule https://vip.orbilant.example/ " + base + L"o/";
    ASSERT_EQ(ChildProcess::Run(L"hostfixture.exe",
                                L"install --type " + std::to_wstring(type) + L" --root " + root_ + options),
              0);
    const std::wstring folder = root_ + (type == 1 ? L"\\Tessik\\" : type == 2 ? L"\\Orbilant\\" : L"\\Quillon\\");
    const std::wstring from = testing_support::ExecutableFolder();
    // The fixture does not place the network library; the host would carry it.
    ASSERT_TRUE(CopyFileW((from + L"netvok.dll").c_str(), (folder + L"netvok.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW((from + L"vipcenterquery.exe").c_str(), (folder + L"vipcenterquery.exe").c_str(), FALSE));
    std::string output;
    ASSERT_EQ(ChildProcess::RunCapturing(folder + L"vipcenterquery.exe", L"12", output), 0);
    ASSERT_TRUE(answer_.Parse(qm::encoding::Utf8ToWide(output))) << output;
    received_ = service_.Requests(scenario_, tag_);
  }

  int64_t Answer(const wchar_t* key) const { return answer_.Get(key).AsInt64(-999); }
  static std::unique_ptr<UxJsonEx::Document> Body(const ServiceRequest& request) {
    auto body = std::make_unique<UxJsonEx::Document>();
    EXPECT_TRUE(body->Parse(request.body));
    return body;
  }
  void ExpectConfigBody(const wchar_t* name) {
    ASSERT_FALSE(received_.empty());
    const auto body = Body(received_[0]);
    EXPECT_EQ(body->Get(L"common").Get(L"open_id").AsString(), L"host-open");
    EXPECT_EQ(body->Get(L"common").Get(L"token").AsString(), L"host-token");
    EXPECT_EQ(body->Get(L"common").Get(L"tryno").AsString(), L"5");
    EXPECT_EQ(body->Get(L"type").AsString(), L"device_upgrade_show");
    EXPECT_EQ(body->Get(L"name").AsString(), name);
  }

  VipCenterService service_;
  std::wstring root_;
  std::wstring scenario_;
  std::wstring tag_;
  UxJsonEx::Document answer_;
  std::vector<ServiceRequest> received_;
};

}  // namespace

TEST_F(VipCenterHost, Type1Coupon) {
  Query(1, L"coupon");
  EXPECT_EQ(Answer(L"host_type"), 1);
  EXPECT_EQ(Answer(L"result"), 0);
  EXPECT_EQ(Answer(L"pay"), 79);
  EXPECT_EQ(Answer(L"reference"), 89);
  ASSERT_EQ(received_.size(), 3u);
  ExpectConfigBody(L"Home");
  const auto price = Body(received_[2]);
  EXPECT_EQ(price->Get(L"show").At(0).AsInt64(), 202);
  EXPECT_EQ(price->Get(L"token").AsString(), L"host-token");
  EXPECT_EQ(price->Get(L"common").Get(L"tid1").AsInt64(), 11);
  EXPECT_EQ(price->Get(L"common").Get(L"tod2").AsInt64(), 14);
}

TEST_F(VipCenterHost, Type2Coupon) {
  Query(2, L"coupon");
  EXPECT_EQ(Answer(L"host_type"), 2);
  EXPECT_EQ(Answer(L"result"), 0);
  EXPECT_EQ(Answer(L"pay"), 79);
  EXPECT_EQ(Answer(L"reference"), 89);
  ASSERT_EQ(received_.size(), 3u);
  ExpectConfigBody(L"OrbilantHome");
  for (size_t i = 1; i < 3; ++i) {
    EXPECT_EQ(HeaderValue(received_[i], L"X-Qm-Gray-Key"), L"5");
    EXPECT_EQ(HeaderValue(received_[i], L"X-Qm-Authorization"), received_[i].bodyHmacMd5);
    EXPECT_FALSE(Body(received_[i])->Get(L"with_permission_show").AsBool(true));
  }
}

TEST_F(VipCenterHost, Type1NoCoupon) {
  Query(1, L"nocoupon");
  EXPECT_EQ(Answer(L"result"), 0);
  EXPECT_EQ(Answer(L"pay"), 89);
  EXPECT_EQ(Answer(L"reference"), 89);
  EXPECT_EQ(received_.size(), 2u);
}

TEST_F(VipCenterHost, Type2NoCoupon) {
  Query(2, L"nocoupon");
  EXPECT_EQ(Answer(L"result"), 0);
  EXPECT_EQ(Answer(L"pay"), 89);
  EXPECT_EQ(Answer(L"reference"), 89);
  EXPECT_EQ(received_.size(), 2u);
}

TEST_F(VipCenterHost, Type3HasNoRequester) {
  Query(3, L"coupon");
  EXPECT_EQ(Answer(L"host_type"), 3);
  EXPECT_EQ(Answer(L"result"), -1);
  EXPECT_TRUE(received_.empty());
}
