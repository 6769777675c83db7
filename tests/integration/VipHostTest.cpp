// The VIP facade in simulated hosts of types 2 to 6, with the VIP SDK stand-in beside the module:
// its answers for a logged-out user, a logged-in user and a VIP, and the VIP page program's
// journaled command lines. One host type per ctest entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "VipHost.h"

using vip_test::VipHost;

namespace {

const char kLoggedOut[] = R"({"logged_in": false})";
const char kLoggedIn[] =
    R"({"logged_in": true, "user_info": {"open_id": "open-7", "token": "tok-7", "vip_type": 0, "nickname": "Ann"}})";
const char kVip[] =
    R"({"logged_in": true, "vip": true, "privileges": ["pdf_to_word"], "user_info": {"open_id": "open-8",)"
    R"( "token": "tok-8", "vip_type": 4294967299, "nickname": "Bo", "is_continuous": "1"}})";

std::string WithLine(const char* state, int productLine) {
  std::string text = state;
  return "{\"product_line\": " + std::to_string(productLine) + ", " + text.substr(1);
}

const wchar_t kOpenAll[] = L"--open 1 --open 2 --open-query 2 selected_month_length=12";

struct Expected {
  int state;
  bool login;
  bool vip;
  std::wstring openId;
  int vipType;
  bool checkLogout = true;  // a facade without adapter leaves the record empty
};

class VipHostScenario : public ::testing::Test {
 protected:
  void InstallWithSdk(int type, const std::wstring& options) {
    ASSERT_TRUE(host_.Install(type, options));
    ASSERT_TRUE(host_.PlaceVipSdk());
  }

  // Runs the probe for one user state and checks the facade's answers.
  void RunState(const std::string& state, const Expected& expected, UxJsonEx::Document& report) {
    host_.WriteState(state);
    EXPECT_TRUE(host_.Probe(kOpenAll, report));
    const auto before = report.Get(L"before");
    EXPECT_EQ(before.Get(L"state").AsInt(), expected.state) << state;
    EXPECT_EQ(before.Get(L"is_login").AsBool(), expected.login);
    EXPECT_EQ(before.Get(L"is_vip").AsBool(), expected.vip);
    EXPECT_EQ(before.Get(L"open_id").AsString(), expected.openId);
    EXPECT_EQ(before.Get(L"fill").AsBool(), !expected.openId.empty());
    if (expected.checkLogout) {
      EXPECT_EQ(before.Get(L"is_logout").AsBool(), !expected.login);
    }
    EXPECT_EQ(before.Get(L"vip_type").AsInt(), expected.vipType);
  }

  // Every state opens the same three pages.
  void ExpectPages(size_t runs, const std::vector<std::wstring>& three) {
    std::vector<std::wstring> commands = host_.PageCommands(runs);
    ASSERT_EQ(commands.size(), runs);
    std::vector<std::wstring> expected;
    for (size_t i = 0; i < runs / 3; ++i) expected.insert(expected.end(), three.begin(), three.end());
    std::sort(commands.begin(), commands.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(commands, expected);
  }

  void RunThreeUsers(int productLine, const std::vector<std::wstring>& pages) {
    UxJsonEx::Document loggedOut;
    RunState(WithLine(kLoggedOut, productLine), {1, false, false, L"", 0}, loggedOut);
    UxJsonEx::Document loggedIn;
    RunState(WithLine(kLoggedIn, productLine), {2, true, false, L"open-7", 0}, loggedIn);
    UxJsonEx::Document vip;
    RunState(WithLine(kVip, productLine), {3, true, true, L"open-8", 3}, vip);
    EXPECT_EQ(vip.Get(L"before").Get(L"token").AsString(), L"tok-8");
    for (const wchar_t* index : {L"0", L"1", L"2"}) EXPECT_TRUE(vip.Get(L"opened").Get(index).AsBool());
    ExpectPages(9, pages);
  }

  VipHost host_;
};

std::wstring Suffix() {
  return L" --vipfrom=6411 --subpid=1 --fid=0";
}

}  // namespace

TEST_F(VipHostScenario, Type2OrbilantOlderGeneration) {
  InstallWithSdk(2, L"--tryno 9");
  host_.SetProductLine(2);
  RunThreeUsers(2, {L"--open_web=login --pid=2 " + Suffix(), L"--open_web=charge_pdf --pid=2 " + Suffix(),
                    L"--open_web=charge_pdf --pid=2 " + Suffix() +
                        L" -url=https://vip.orbilant.example/9/pdf/?selected_month_length=12"});
  const auto asked = host_.SdkJournal(L"QueryInterface");
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked[0].at(L"generation"), L"older");
  const auto logins = host_.SdkJournal(L"IsLogin");
  ASSERT_FALSE(logins.empty());
  EXPECT_EQ(logins[0].at(L"generation"), L"older");
}

TEST_F(VipHostScenario, Type3WystanAndTheAccountSwitch) {
  InstallWithSdk(3, L"--tryno 5 --account 1234");
  RunThreeUsers(1, {L"--open_web=login --pid=1234 " + Suffix(), L"--open_web=main --pid=1234 " + Suffix(),
                    L"--open_web=main --pid=1234 " + Suffix() +
                        L" -url=https://vip.wystan.example/5/pdf/?selected_month_length=12"});
  const size_t added = host_.SdkJournal(L"AddUserInfoChangeListener").size();
  UxJsonEx::Document report;
  ASSERT_TRUE(host_.Probe(L"--account-after 4321 --open 2", report));
  EXPECT_EQ(report.Get(L"before").Get(L"vip_product_id").AsInt(), 1234);
  EXPECT_EQ(report.Get(L"after").Get(L"vip_product_id").AsInt(), 4321);
  EXPECT_EQ(report.Get(L"after").Get(L"state").AsInt(), 3);
  EXPECT_EQ(host_.SdkJournal(L"AddUserInfoChangeListener").size(), added + 2) << "a new adapter registered";
  const std::vector<std::wstring> commands = host_.PageCommands(10);
  EXPECT_NE(std::find(commands.begin(), commands.end(), L"--open_web=main --pid=4321 " + Suffix()), commands.end());
}

TEST_F(VipHostScenario, Type4PdfBuild) {
  InstallWithSdk(4, L"--edition 4 --tryno 1");
  RunThreeUsers(1, {L"--open_web=login --pid=20 " + Suffix(), L"--open_web=main --pid=20 " + Suffix(),
                    L"--open_web=main --pid=20 " + Suffix() +
                        L" -url=https://vip.wystan.example/1/pdf/?selected_month_length=12"});
  const auto asked = host_.SdkJournal(L"QueryInterface");
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked[0].at(L"generation"), L"newer");
}

TEST_F(VipHostScenario, Type5WithConfiguredProductId) {
  InstallWithSdk(5, L"--edition 5 --product-id 77 --tryno 2");
  RunThreeUsers(1, {L"--open_web=login --pid=77 " + Suffix(), L"--open_web=main --pid=77 " + Suffix(),
                    L"--open_web=main --pid=77 " + Suffix() +
                        L" -url=https://vip.wystan.example/2/pdf/?selected_month_length=12"});
}

TEST_F(VipHostScenario, Type6AnswersNeutrally) {
  InstallWithSdk(6, L"--page-sdk-dir PaperKite");
  for (const char* state : {kLoggedOut, kLoggedIn, kVip}) {
    UxJsonEx::Document report;
    RunState(state, {1, false, false, L"", 0, false}, report);
    EXPECT_EQ(report.Get(L"before").Get(L"vip_product_id").AsInt(), 0);
    for (const wchar_t* index : {L"0", L"1", L"2"}) EXPECT_FALSE(report.Get(L"opened").Get(index).AsBool());
  }
  EXPECT_TRUE(host_.SdkJournal().empty()) << "the SDK library is not even loaded";
  EXPECT_TRUE(host_.PageCommands().empty());
}

TEST_F(VipHostScenario, Type3WithoutTheSdkLibrary) {
  ASSERT_TRUE(host_.Install(3, L"--account 1234"));
  ASSERT_TRUE(host_.PlaceVipSdk());
  DeleteFileW((host_.folder() + L"wystanvipsdk.dll").c_str());
  UxJsonEx::Document report;
  RunState(kVip, {1, false, false, L"", 0}, report);
  EXPECT_TRUE(report.Get(L"opened").Get(L"1").AsBool()) << "pages open without the SDK";
  EXPECT_EQ(host_.PageCommands(3).size(), 3u);
}

// The shipped path: the host loads the module, whose controller initialises the facade after the
// product configuration and releases it in Uninitialize.
TEST_F(VipHostScenario, Type3ModuleSessionInitialisesAndReleasesTheFacade) {
  InstallWithSdk(3, L"--account 1234");
  host_.WriteState(kVip);
  std::string output;
  ASSERT_EQ(testing_support::ChildProcess::RunCapturing(host_.folder() + L"WystanPDF.exe",
                                                        L"--scene 0 --log-level keep", output),
            0)
      << output;
  const auto asked = host_.SdkJournal(L"QueryInterface");
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].at(L"generation"), L"newer");
  EXPECT_EQ(host_.SdkJournal(L"GetInterface").size(), 1u);
  EXPECT_EQ(host_.SdkJournal(L"AddUserInfoChangeListener").size(), 1u);
  EXPECT_EQ(host_.SdkJournal(L"RemoveUserInfoChangeListener").size(), 1u) << "released by Uninitialize";
}
