// The VIP SDK core-interface wrapper over both generations, against in-process fakes, and the
// slot numbers of the binary contracts.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "VipFakeSdk.h"
#include "VipStandIn.h"
#include "family/Bundle.h"
#include "vip/PDFVipSdkCoreInterfaceWrap.h"

using vip::PDFVipSdkCoreInterfaceWrap;
using vip_test::FakeNewerCore;
using vip_test::FakeOlderCore;
using vip_test::FakeRoot;
using vip_test::SlotOf;

namespace {

using Wrapper = vip_sdk_pdf::IPdfVipSdkCoreInterface;

class RecordingListener final : public vip_sdk_pdf::IPdfUserInfoChangeListener {
 public:
  void __stdcall OnUserInfoChange(int reason) override { events.push_back("change " + std::to_string(reason)); }
  void __stdcall OnLoginStateChange(bool loggedIn) override {
    events.push_back(std::string("login ") + (loggedIn ? "1" : "0"));
  }
  std::vector<std::string> events;
};

// Calls every wrapper slot from 1 to 42 once, in order, and returns what each answered as a number.
std::vector<long long> CallEverySlot(Wrapper& w) {
  BSTR text = nullptr;
  auto freed = [&text](bool answer) {
    SysFreeString(text);
    text = nullptr;
    return static_cast<long long>(answer);
  };
  RecordingListener listener;
  return {w.InterfaceName() != nullptr,
          w.QueryInterface("x") != nullptr,
          w.Init(1),
          w.UnInit(),
          w.SetProductId(1),
          w.GetProductId(),
          w.SetChannel(L"c"),
          w.GetSdkVersion(),
          w.GetInterfaceVersion(),
          w.Login(1),
          w.Logout(),
          w.IsLogin(),
          w.IsTourist(),
          freed(w.GetOpenId(&text)),
          freed(w.GetToken(&text)),
          freed(w.GetNickName(&text)),
          freed(w.GetAvatar(&text)),
          w.RefreshUserInfo(),
          freed(w.GetUserInfoJson(&text, 1)),
          w.HasPrivilege(L"p", 0),
          w.GetPrivilegeCount(),
          w.GetVipType(),
          w.GetVipExpireDate(),
          w.OpenLoginWindow(1),
          w.OpenChargeWindow(1),
          w.OpenUserCenter(1),
          w.AddUserInfoChangeListener(&listener),
          w.RemoveUserInfoChangeListener(&listener),
          w.ReportAction(L"a"),
          w.IsVip(),
          w.IsSuperVip(),
          w.GetLastErrorCode(),
          w.GetLegacyVipLevel(),
          w.GetAccountKind(),
          w.IsPermissionVip(),
          w.GetPermissionVipInfo(),
          w.GetExpirePermissionVipInfo(),
          w.IsContinuous(),
          w.GetCouponCount(),
          w.RefreshVipList(),
          freed(w.GetVipListJson(&text)),
          w.QueryExtendedInfo()};
}

const std::vector<std::string> kCommonCalls = {"InterfaceName",
                                               "QueryInterface",
                                               "Init",
                                               "UnInit",
                                               "SetProductId",
                                               "GetProductId",
                                               "SetChannel",
                                               "GetSdkVersion",
                                               "GetInterfaceVersion",
                                               "Login",
                                               "Logout",
                                               "IsLogin",
                                               "IsTourist",
                                               "GetOpenId",
                                               "GetToken",
                                               "GetNickName",
                                               "GetAvatar",
                                               "RefreshUserInfo",
                                               "GetUserInfoJson",
                                               "HasPrivilege",
                                               "GetPrivilegeCount",
                                               "GetVipType",
                                               "GetVipExpireDate",
                                               "OpenLoginWindow",
                                               "OpenChargeWindow",
                                               "OpenUserCenter",
                                               "AddUserInfoChangeListener",
                                               "RemoveUserInfoChangeListener",
                                               "ReportAction",
                                               "IsVip",
                                               "IsSuperVip",
                                               "GetLastErrorCode"};

}  // namespace

TEST(VipSdkContract, SlotNumbersOfTheTables) {
  EXPECT_EQ(SlotOf(&vip_sdk::IBaseInterface::DeletingDestructor), 0u);
  EXPECT_EQ(SlotOf(&vip_sdk::IBaseInterface::QueryInterface), 2u);
  EXPECT_EQ(SlotOf(&Wrapper::GetInterfaceVersion), 9u);
  EXPECT_EQ(SlotOf(&Wrapper::IsLogin), 12u);
  EXPECT_EQ(SlotOf(&Wrapper::GetUserInfoJson), 19u);
  EXPECT_EQ(SlotOf(&Wrapper::HasPrivilege), 20u);
  EXPECT_EQ(SlotOf(&Wrapper::AddUserInfoChangeListener), 27u);
  EXPECT_EQ(SlotOf(&Wrapper::RemoveUserInfoChangeListener), 28u);
  EXPECT_EQ(SlotOf(&Wrapper::IsVip), 30u);
  EXPECT_EQ(SlotOf(&Wrapper::GetLegacyVipLevel), 33u);
  EXPECT_EQ(SlotOf(&Wrapper::GetAccountKind), 34u);
  EXPECT_EQ(SlotOf(&Wrapper::GetVipListJson), 41u);
  EXPECT_EQ(SlotOf(&Wrapper::QueryExtendedInfo), 42u);
  EXPECT_EQ(SlotOf(&vip_sdk::IVipSdkCoreInterface::GetAccountKind), 33u);
  EXPECT_EQ(SlotOf(&vip_sdk::IVipSdkCoreInterface::GetVipListJson), 40u);
  EXPECT_EQ(SlotOf(&vip_sdk::IVipSdkCoreInterface::QueryExtendedInfo), 41u);
  EXPECT_EQ(SlotOf(&vip_sdk_ablo::IVipSdkCoreInterface::GetLegacyVipLevel), 33u);
  EXPECT_EQ(SlotOf(&vip_sdk_pdf::IPdfUserInfoChangeListener::OnLoginStateChange), 1u);
  EXPECT_EQ(SlotOf(&vip_sdk::IUserInfoChangeListener::OnUserInfoChange), 0u);
}

TEST(VipSdkContract, BundleSlotNumbers) {
  EXPECT_EQ(SlotOf(&qm::IBundle::PutInt), 0u);
  EXPECT_EQ(SlotOf(&qm::IBundle::PutBundle), 6u);
  EXPECT_EQ(SlotOf(&qm::IBundle::ListRemoveAt), 10u);
  EXPECT_EQ(SlotOf(&qm::IBundle::GetInt), 11u);
  EXPECT_EQ(SlotOf(&qm::IBundle::ListEntry), 19u);
  EXPECT_EQ(SlotOf(&qm::IBundle::Release), 20u);
  EXPECT_EQ(SlotOf(&qm::IBundle::Serialize), qm::kBundleSlotCount - 1);
}

TEST(VipSdkWrapper, NewerGenerationTakesEverySlotButThirtyThree) {
  FakeNewerCore newer;
  FakeRoot root(&newer);
  auto wrapper = PDFVipSdkCoreInterfaceWrap::Create(&root, 1);
  ASSERT_TRUE(wrapper);
  EXPECT_EQ(root.asked, "vip_sdk_core_interface");
  EXPECT_EQ(wrapper->newer(), &newer);
  EXPECT_EQ(wrapper->older(), nullptr);
  EXPECT_EQ(newer.calls, std::vector<std::string>{"InterfaceName"}) << "the object named itself";
  newer.calls.clear();
  const std::vector<long long> answers = CallEverySlot(*wrapper);
  std::vector<std::string> expected = kCommonCalls;
  for (const char* name : {"GetAccountKind", "IsPermissionVip", "GetPermissionVipInfo", "GetExpirePermissionVipInfo",
                           "IsContinuous", "GetCouponCount", "RefreshVipList", "GetVipListJson", "QueryExtendedInfo"}) {
    expected.push_back(name);
  }
  EXPECT_EQ(newer.calls, expected);
  EXPECT_EQ(answers[32], 0) << "slot 33 is the older generation's";
  EXPECT_EQ(answers[33], 33) << "slot 34 is the newer's 33";
  EXPECT_EQ(answers[38], 38) << "slot 39 is the newer's 38";
}

TEST(VipSdkWrapper, ProductLineTwoUsesTheOlderGenerationOnly) {
  FakeOlderCore older;
  FakeRoot root(&older);
  auto wrapper = PDFVipSdkCoreInterfaceWrap::Create(&root, 2);
  ASSERT_TRUE(wrapper);
  EXPECT_EQ(wrapper->newer(), nullptr);
  EXPECT_EQ(wrapper->older(), &older);
  const std::vector<long long> answers = CallEverySlot(*wrapper);
  std::vector<std::string> expected = kCommonCalls;
  expected.push_back("GetLegacyVipLevel");
  EXPECT_EQ(older.calls, expected);
  EXPECT_EQ(answers[32], 133);
  for (size_t slot = 34; slot <= 42; ++slot) EXPECT_EQ(answers[slot - 1], 0) << "slot " << slot;
}

TEST(VipSdkWrapper, AnObjectNotNamedTheNewerCoreInterfaceLeavesNewerNullAndAnswersZero) {
  {
    FakeOlderCore older;  // the older generation where the newer is expected
    FakeRoot root(&older);
    auto wrapper = PDFVipSdkCoreInterfaceWrap::Create(&root, 1);
    ASSERT_TRUE(wrapper);
    EXPECT_EQ(wrapper->newer(), nullptr);
    EXPECT_EQ(wrapper->older(), nullptr);
    EXPECT_EQ(older.calls, std::vector<std::string>{"InterfaceName"}) << "asked its name only";
  }
  for (const char* name : {"vip_sdk_tallo_interface", "", static_cast<const char*>(nullptr)}) {
    FakeNewerCore other;
    other.name = name;
    FakeRoot root(&other);
    auto wrapper = PDFVipSdkCoreInterfaceWrap::Create(&root, 1);
    ASSERT_TRUE(wrapper);
    EXPECT_EQ(wrapper->newer(), nullptr);
    EXPECT_EQ(wrapper->older(), nullptr);
    other.calls.clear();
    const std::vector<long long> answers = CallEverySlot(*wrapper);
    for (size_t i = 0; i < answers.size(); ++i) EXPECT_EQ(answers[i], 0) << "slot " << i + 1;
    EXPECT_TRUE(other.calls.empty());
  }
  FakeRoot none(nullptr);
  auto wrapper = PDFVipSdkCoreInterfaceWrap::Create(&none, 1);
  ASSERT_TRUE(wrapper);
  EXPECT_EQ(wrapper->newer(), nullptr);
}

TEST(VipSdkWrapper, NoRootNoWrapper) {
  EXPECT_FALSE(PDFVipSdkCoreInterfaceWrap::Create(nullptr, 1));
}

TEST(VipSdkWrapper, BridgesForwardBothCallbacksAndGoAwayOnRemoval) {
  FakeNewerCore newer;
  FakeRoot root(&newer);
  auto wrapper = PDFVipSdkCoreInterfaceWrap::Create(&root, 1);
  RecordingListener first;
  RecordingListener second;
  wrapper->AddUserInfoChangeListener(&first);
  wrapper->AddUserInfoChangeListener(&second);
  ASSERT_EQ(newer.listeners.size(), 2u);
  newer.FireChange();
  newer.FireLogin(false);
  EXPECT_EQ(first.events, (std::vector<std::string>{"change 1", "login 0"}));
  wrapper->RemoveUserInfoChangeListener(&first);
  EXPECT_EQ(newer.listeners.size(), 1u);
  EXPECT_EQ(wrapper->BridgeCount(), 1u);
  newer.FireChange();
  EXPECT_EQ(first.events.size(), 2u);
  EXPECT_EQ(second.events.size(), 3u);
}

TEST(VipSdkWrapper, RemovingAnUnknownListenerDoesNothing) {
  FakeOlderCore older;
  FakeRoot root(&older);
  auto wrapper = PDFVipSdkCoreInterfaceWrap::Create(&root, 2);
  RecordingListener known;
  RecordingListener unknown;
  wrapper->AddUserInfoChangeListener(&known);
  older.calls.clear();
  wrapper->RemoveUserInfoChangeListener(&unknown);
  EXPECT_TRUE(older.calls.empty()) << "nothing is passed to the SDK";
  EXPECT_EQ(wrapper->BridgeCount(), 1u);
  older.FireChange();
  EXPECT_EQ(known.events.size(), 1u);
}

TEST(VipSdkWrapper, DestructionUnregistersTheBridgesItStillHolds) {
  FakeNewerCore newer;
  FakeRoot root(&newer);
  RecordingListener listener;
  {
    auto wrapper = PDFVipSdkCoreInterfaceWrap::Create(&root, 1);
    wrapper->AddUserInfoChangeListener(&listener);
    ASSERT_EQ(newer.listeners.size(), 1u);
  }
  EXPECT_TRUE(newer.listeners.empty()) << "the SDK would otherwise call a destroyed bridge";
}

// The VIP SDK stand-in is built without type information, as a real SDK of the family's compiler
// looks to the module: its core interface is taken by the name it gives itself.
TEST(BoundaryVipSdk, TheStandInsCoreInterfaceIsTakenByItsName) {
  vip_test::VipStandIn sdk;
  sdk.WriteState(vip_test::LoggedInState());
  auto newer = PDFVipSdkCoreInterfaceWrap::Create(sdk.Root(), 1);
  ASSERT_TRUE(newer);
  ASSERT_NE(newer->newer(), nullptr);
  EXPECT_TRUE(newer->IsLogin());
  sdk.WriteState(R"({"product_line": 2, "logged_in": true})");
  auto older = PDFVipSdkCoreInterfaceWrap::Create(sdk.Root(), 2);
  ASSERT_TRUE(older);
  ASSERT_NE(older->older(), nullptr);
  EXPECT_TRUE(older->IsLogin());
  EXPECT_EQ(sdk.Journal(L"QueryInterface").back().at(L"generation"), L"older");
}
