// The SDK adapters against the VIP SDK stand-in loaded from a temporary folder: states, the user
// record, page arguments, raised-rights starts and change notifications.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "FakeHostSystem.h"
#include "VipStandIn.h"
#include "vip/CPDFABVipSdkAdapter.h"
#include "vip/CPDFOBVipSdkAdapter.h"
#include "vip/CPDFWYVipSdkAdapter.h"
#include "vip/VipUserInfoJson.h"

using vip::CPDFNewVipSdkAdapter;
using vip::CPDFOBVipSdkAdapter;
using vip::CPDFWYVipSdkAdapter;
using vip::VipPageLauncher;
using vip::VipUserInfo;
using vip_test::VipStandIn;

namespace {

bool NotAdmin() {
  return false;
}

class CountingListener final : public vip::IPDFVipUserInfoListener {
 public:
  void OnVipUserInfoChanged(const VipUserInfo& info) override {
    std::lock_guard<std::mutex> hold(lock_);
    last_ = info;
    ++count_;
  }
  int count() {
    std::lock_guard<std::mutex> hold(lock_);
    return count_;
  }
  VipUserInfo last() {
    std::lock_guard<std::mutex> hold(lock_);
    return last_;
  }

 private:
  std::mutex lock_;
  int count_ = 0;
  VipUserInfo last_;
};

class VipAdapter : public ::testing::Test {
 protected:
  void SetUp() override {
    info_.installationFolder = sdk_.Folder();
    info_.readerFolder = sdk_.Folder();
    info_.hostType = 3;
    info_.trynoCache = 5;
  }
  VipPageLauncher Launcher(VipPageLauncher::AdminCheck isAdmin = &VipPageLauncher::IsAdmin) {
    return VipPageLauncher(system_, info_, isAdmin);
  }
  std::unique_ptr<CPDFWYVipSdkAdapter> Wystan(int productLine = 1, int id = 13) {
    return std::make_unique<CPDFWYVipSdkAdapter>(id, sdk_.Root(), productLine, Launcher());
  }
  static std::wstring Arguments(CPDFNewVipSdkAdapter& adapter, int type, const std::wstring& query = {}) {
    std::wstring text;
    return adapter.PageArguments(type, 6411, 0, query, text) ? text : L"<none>";
  }

  VipStandIn sdk_;
  testing_support::FakeHostSystem system_;
  product::ProductInfo info_;
};

}  // namespace

TEST_F(VipAdapter, StateFollowsTheStandInsFileOnEveryCall) {
  sdk_.WriteState(vip_test::LoggedOutState());
  auto adapter = Wystan();
  ASSERT_TRUE(adapter->HasCore());
  EXPECT_EQ(adapter->GetVipState(), 1);
  EXPECT_FALSE(adapter->IsLogin());
  sdk_.WriteState(vip_test::LoggedInState());
  EXPECT_EQ(adapter->GetVipState(), 2);
  EXPECT_TRUE(adapter->IsLogin());
  EXPECT_FALSE(adapter->IsVip());
  sdk_.WriteState(vip_test::VipState());
  EXPECT_EQ(adapter->GetVipState(), 3);
  EXPECT_TRUE(adapter->IsVip());
  const auto asked = sdk_.Journal(L"HasPrivilege");
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.back().at(L"name"), L"pdf_to_word");
  EXPECT_EQ(asked.back().at(L"flag"), L"0");
  EXPECT_EQ(sdk_.Journal(L"QueryInterface").at(0).at(L"name"), L"vip_sdk_core_interface");
}

TEST_F(VipAdapter, FillUserInfoReadsEveryMemberAndCutsVipTypeToThirtyTwoBits) {
  sdk_.WriteState(vip_test::VipState());
  auto adapter = Wystan();
  VipUserInfo info;
  ASSERT_TRUE(adapter->FillUserInfo(info));
  EXPECT_EQ(info.open_id, L"o-2");
  EXPECT_EQ(info.token, L"t-2");
  EXPECT_EQ(info.nick_name, L"Bo");
  EXPECT_EQ(info.avatar, L"b.png");
  EXPECT_EQ(info.vip_type, 2) << "4294967298 keeps its low 32 bits";
  EXPECT_EQ(info.vip_ex_date, 8589934593LL);
  EXPECT_EQ(info.vaild_date, 1);
  EXPECT_TRUE(info.is_continuous);
  EXPECT_FALSE(info.is_logout);
  EXPECT_EQ(info.permission_vip_info, 7);
  EXPECT_EQ(info.expire_permission_vip_info, 1700000000000LL);
  EXPECT_EQ(sdk_.Journal(L"GetUserInfoJson").back().at(L"flag"), L"1");
  EXPECT_EQ(adapter->GetUserInfo(), info);
}

TEST_F(VipAdapter, FillUserInfoFailsOnAnEmptyTokenAndKeepsLogoutTrue) {
  sdk_.WriteState(R"({"logged_in": true, "user_info": {"open_id": "o", "token": "", "vip_type": 1}})");
  auto adapter = Wystan();
  VipUserInfo info;
  info.nick_name = L"before";
  EXPECT_FALSE(adapter->FillUserInfo(info));
  EXPECT_TRUE(info.is_logout);
  EXPECT_EQ(info.nick_name, L"before") << "nothing else is touched";
  EXPECT_EQ(adapter->GetUserInfo(), VipUserInfo{});
}

TEST_F(VipAdapter, FillUserInfoRefusesBadTexts) {
  auto adapter = Wystan();
  for (const char* state :
       {R"({"logged_in": true})", R"({"user_info": "not json"})", R"({"user_info": "[1,2]"})",
        R"({"user_info": {"token": "t", "vip_type": 1}})", R"({"user_info": {"open_id": "o", "token": "t"}})",
        R"({"user_info": {"open_id": 5, "token": "t", "vip_type": 1}})"}) {
    sdk_.WriteState(state);
    VipUserInfo info;
    EXPECT_FALSE(adapter->FillUserInfo(info)) << state;
    EXPECT_TRUE(info.is_logout);
  }
  sdk_.WriteState(R"({"user_info": {"open_id": "o", "token": "t", "vip_type": "9"}})");
  VipUserInfo info;
  ASSERT_TRUE(adapter->FillUserInfo(info));
  EXPECT_EQ(info.vip_type, 0) << "a vip_type that is not an integer";
  EXPECT_TRUE(info.is_logout) << "the stand-in says nobody is logged in";
}

TEST_F(VipAdapter, MissingLibraryGivesNeutralAnswers) {
  vip::VipSdkLibrary missing(sdk_.Path(L"absent.dll"), true);
  EXPECT_EQ(missing.root(), nullptr);
  CPDFWYVipSdkAdapter adapter(13, missing.root(), 1, Launcher());
  EXPECT_FALSE(adapter.HasCore());
  EXPECT_EQ(adapter.GetVipState(), 1);
  EXPECT_FALSE(adapter.IsLogin());
  EXPECT_FALSE(adapter.IsVip());
  VipUserInfo info;
  EXPECT_FALSE(adapter.FillUserInfo(info));
  vip::VipExpiryList list;
  EXPECT_FALSE(adapter.ReadVipExpiryList(list));
  EXPECT_FALSE(adapter.QueryExtendedState());
}

TEST_F(VipAdapter, ProductLineTwoTalksToTheOlderGeneration) {
  sdk_.WriteState(R"({"product_line": 2, "logged_in": true, "privileges": ["pdf_to_word"]})");
  CPDFOBVipSdkAdapter adapter(sdk_.Root(), 2, Launcher());
  EXPECT_EQ(adapter.GetVipProductId(), 2);
  EXPECT_EQ(adapter.GetVipState(), 3);
  EXPECT_EQ(sdk_.Journal(L"IsLogin").back().at(L"generation"), L"older");
  vip::VipExpiryList list;
  EXPECT_FALSE(adapter.ReadVipExpiryList(list)) << "the older generation has no VIP list";
}

TEST_F(VipAdapter, OlderGenerationWhereTheNewerIsExpectedIsNoCore) {
  sdk_.WriteState(R"({"product_line": 2, "logged_in": true})");
  auto adapter = Wystan(1);
  EXPECT_EQ(adapter->GetVipState(), 1);
  EXPECT_TRUE(sdk_.Journal(L"IsLogin").empty()) << "nothing reaches the SDK";
}

TEST_F(VipAdapter, ExpiryListAndExtendedStateFollowTheInterfaceVersion) {
  sdk_.WriteState(vip_test::VipState());
  auto adapter = Wystan();
  vip::VipExpiryList list;
  ASSERT_TRUE(adapter->ReadVipExpiryList(list));
  EXPECT_EQ(list.expiryByType, (std::map<int, int64_t>{{2, 111}, {3, 222}}));
  EXPECT_FALSE(adapter->QueryExtendedState()) << "the state says no";
  sdk_.WriteState(R"({"interface_version": 7, "extended": true, "vip_list": []})");
  EXPECT_FALSE(adapter->QueryExtendedState()) << "version 7 is too old";
  EXPECT_TRUE(adapter->ReadVipExpiryList(list));
  sdk_.WriteState(R"({"interface_version": 8, "extended": true})");
  EXPECT_TRUE(adapter->QueryExtendedState());
  sdk_.WriteState(R"({"interface_version": 6, "vip_list": []})");
  EXPECT_FALSE(adapter->ReadVipExpiryList(list));
  CPDFNewVipSdkAdapter plain(13, sdk_.Root(), 1, Launcher());
  sdk_.WriteState(R"({"interface_version": 8, "extended": true})");
  EXPECT_FALSE(plain.QueryExtendedState()) << "only the Wystan adapter asks";
}

TEST_F(VipAdapter, PageArgumentsPerAdapter) {
  auto wystan = Wystan();
  EXPECT_EQ(Arguments(*wystan, 1), L"--open_web=login --pid=13  --vipfrom=6411 --subpid=1 --fid=0");
  EXPECT_EQ(Arguments(*wystan, 2), L"--open_web=main --pid=13  --vipfrom=6411 --subpid=1 --fid=0");
  EXPECT_EQ(Arguments(*wystan, 3), L"--open_web=main --pid=13 --url= --vipfrom=6411 --subpid=1 --fid=0");
  EXPECT_EQ(Arguments(*wystan, 4), L"<none>");
  EXPECT_FALSE(wystan->OpenVipPage(4, 6411, 0));
  vip::CPDFABVipSdkAdapter ab(20, nullptr, 1, Launcher());
  EXPECT_EQ(Arguments(ab, 2), L"--open_web=charge_pdf --pid=20  --vipfrom=6411 --subpid=1 --fid=0")
      << "the facade points it at the main page";
}

TEST_F(VipAdapter, QueryAddsThePurchaseAddressUnlessTheTemplateHasOne) {
  auto wystan = Wystan();
  EXPECT_EQ(Arguments(*wystan, 2, L""), Arguments(*wystan, 2));
  EXPECT_EQ(Arguments(*wystan, 2, L"selected_month_length=12"),
            L"--open_web=main --pid=13  --vipfrom=6411 --subpid=1 --fid=0 -url=https://vip.wystan.example/5/pdf/"
            L"?selected_month_length=12");
  EXPECT_EQ(Arguments(*wystan, 3, L"q=1"), Arguments(*wystan, 3)) << "the main page's template carries --url=";
  CPDFOBVipSdkAdapter ob(nullptr, 1, Launcher());
  EXPECT_EQ(Arguments(ob, 2, L"q=1"),
            L"--open_web=charge_pdf --pid=2  --vipfrom=6411 --subpid=1 --fid=0 "
            L"-url=https://vip.orbilant.example/5/pdf/?q=1");
}

TEST_F(VipAdapter, OpeningStartsThePageProgramAndAnEmptyQueryOpensTheSamePage) {
  sdk_.Place(L"vippage.exe", L"wystanvip.exe");
  auto wystan = Wystan();
  ASSERT_TRUE(wystan->OpenVipPage(2, 6411, 0));
  ASSERT_TRUE(wystan->OpenVipPageWithQuery(2, 6411, 0, L""));
  const auto runs = testing_support::WaitForJournal(sdk_.Path(L"vippage.journal.jsonl"), L"run", 2);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_NE(runs[0].at(L"command_line").find(L"--open_web=main --pid=13  --vipfrom=6411"), std::wstring::npos);
  auto tail = [](const std::wstring& line) { return line.substr(line.find(L"--open_web")); };
  EXPECT_EQ(tail(runs[0].at(L"command_line")), tail(runs[1].at(L"command_line")));
}

TEST_F(VipAdapter, OrbilantStartsThroughTheHelperWhenNotAnAdministrator) {
  sdk_.Place(L"vippage.exe", L"wystanvip.exe");
  sdk_.Place(L"quillhelper.exe", L"quillhelper.exe");
  info_.hostType = 2;
  CPDFOBVipSdkAdapter ob(nullptr, 1, Launcher(&NotAdmin));
  ASSERT_TRUE(ob.OpenVipPage(1, 6411, 0));
  const auto admin = testing_support::WaitForJournal(sdk_.Path(L"quillhelper.journal.jsonl"), L"admin", 1);
  ASSERT_EQ(admin.size(), 1u);
  EXPECT_EQ(admin[0].at(L"program"), sdk_.Path(L"wystanvip.exe"));
  EXPECT_EQ(admin[0].at(L"argument"), L"--open_web=login --pid=2  --vipfrom=6411 --subpid=1 --fid=0");
  EXPECT_EQ(admin[0].at(L"host_type"), L"2");
  EXPECT_EQ(testing_support::WaitForJournal(sdk_.Path(L"vippage.journal.jsonl"), L"run", 1).size(), 1u);
  info_.readerFolder.clear();
  EXPECT_FALSE(ob.OpenVipPage(1, 6411, 0)) << "no helper, no start";
}

TEST_F(VipAdapter, ChangesOfTheStateFileReachTheListeners) {
  sdk_.WriteState(vip_test::LoggedOutState());
  CountingListener listener;
  {
    auto adapter = Wystan();
    adapter->AddUserInfoListener(&listener);
    adapter->AddUserInfoListener(nullptr);
    EXPECT_EQ(adapter->ListenerCount(), 1u);
    sdk_.WriteState(vip_test::VipState());
    for (int i = 0; i < 400 && listener.count() < 2; ++i) Sleep(25);
    EXPECT_GE(listener.count(), 2) << "a change and the login flip";
    EXPECT_EQ(listener.last().open_id, L"o-2");
    adapter->RemoveUserInfoListener(&listener);
    EXPECT_EQ(adapter->ListenerCount(), 0u);
  }
  EXPECT_EQ(sdk_.Journal(L"AddUserInfoChangeListener").size(), 1u);
  EXPECT_EQ(sdk_.Journal(L"RemoveUserInfoChangeListener").size(), 1u) << "the adapter unregisters when destroyed";
}

// "is_continuous" is the integer 1, as a number or as the text "1", as the Tessik adapter reads it.
TEST(BoundaryVipUserInfo, IsContinuousIsTheIntegerOneAndNothingElse) {
  const auto continuous = [](const std::wstring& value) {
    VipUserInfo info;
    EXPECT_TRUE(vip::VipUserInfoJson::Parse(
        L"{\"open_id\": \"o\", \"token\": \"t\", \"vip_type\": 1, \"is_continuous\": " + value + L"}", info))
        << value;
    return info.is_continuous;
  };
  EXPECT_TRUE(continuous(L"\"1\""));
  EXPECT_TRUE(continuous(L"1"));
  for (const wchar_t* other : {L"\" 1\"", L"\"1x\"", L"\"1.9\"", L"\"\uff11\"", L"\"01\"", L"\"+1\"", L"\"\"", L"\"0\"",
                               L"0", L"true", L"4294967297", L"null"}) {
    EXPECT_FALSE(continuous(other)) << other;
  }
}
