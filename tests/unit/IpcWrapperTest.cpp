// The Sheer-VIP IPC client against an in-process VIP service on a test channel: its channel,
// the registration, the queries' success rule and the served change notification.
#include <gtest/gtest.h>

#include <atomic>
#include <cwctype>
#include <memory>

#include "IpcRawPipeServer.h"
#include "IpcTestService.h"
#include "vip/SheerVipIpcWrapper.h"

namespace {

using ipc_test::IpcTestService;
using sheer_vip::SheerVipIpcWrapper;

void FillComplete(tandipc::ITandIpcBundle& request) {
  request.PutString(L"open_id", L"open-9");
  request.PutString(L"token", L"tok-9");
  request.PutString(L"nick_name", L"Cy");
  request.PutInt(L"vip_type", 2);
  request.PutInt(L"vaild_date", 20301231);
  request.PutInt(L"from", 5);
  request.PutInt(L"is_logout", 0);
}

// Records what reached it, on which thread, and whether the wrapper's lock was held.
class RecordingCallback final : public SheerVipIpcWrapper::UserInfoChangeCallBack {
 public:
  explicit RecordingCallback(SheerVipIpcWrapper& wrapper) : wrapper_(wrapper) {}
  void OnUserInfoChanged(const vip::VipUserInfo& info) override {
    last = info;
    threadId = GetCurrentThreadId();
    underLock = wrapper_.CallbackLockHeld();
    ++calls;
  }
  vip::VipUserInfo last;
  std::atomic<DWORD> threadId{0};
  std::atomic<bool> underLock{false};
  std::atomic<int> calls{0};

 private:
  SheerVipIpcWrapper& wrapper_;
};

class IpcWrapper : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(service_.Start());
    wrapper_ = std::make_unique<SheerVipIpcWrapper>(ipc_test::Library(), service_.channel());
  }

  IpcTestService service_{ipc_test::UniqueChannel(L"service")};
  std::unique_ptr<SheerVipIpcWrapper> wrapper_;
};

TEST(IpcWrapperChannel, IsThePrefixAndANewGuidsDigits) {
  const std::wstring first = SheerVipIpcWrapper::NewChannelName();
  const std::wstring second = SheerVipIpcWrapper::NewChannelName();
  const std::wstring prefix = L"sheer_vip_ipc_Wraper_";
  ASSERT_EQ(first.size(), prefix.size() + 32);
  EXPECT_EQ(first.substr(0, prefix.size()), prefix);
  for (wchar_t c : first.substr(prefix.size())) EXPECT_TRUE(iswdigit(c) || (c >= L'A' && c <= L'F')) << first;
  EXPECT_NE(first, second);
}

TEST_F(IpcWrapper, ServesItsChannelAndRegistersItWithTheService) {
  EXPECT_TRUE(wrapper_->serving());
  EXPECT_TRUE(wrapper_->registered());
  EXPECT_EQ(service_.registered(), std::vector<std::wstring>{wrapper_->channel()});
}

TEST_F(IpcWrapper, ANotificationWithoutTokenOrOpenIdReachesNoCallback) {
  RecordingCallback callback(*wrapper_);
  wrapper_->AddCallback(&callback);
  int32_t result = -1;
  EXPECT_EQ(ipc_test::Notify(wrapper_->channel(),
                             [](tandipc::ITandIpcBundle& r) {
                               FillComplete(r);
                               r.PutString(L"token", L"");
                             },
                             &result),
            -1);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ipc_test::Notify(wrapper_->channel(), [](tandipc::ITandIpcBundle& r) { r.PutString(L"token", L"t"); }),
            -1);
  EXPECT_EQ(callback.calls, 0);
  wrapper_->RemoveCallback(&callback);
}

TEST_F(IpcWrapper, ACompleteNotificationReachesEveryCallbackOnTheLibrarysThreadUnderTheLock) {
  RecordingCallback first(*wrapper_);
  RecordingCallback second(*wrapper_);
  wrapper_->AddCallback(&first);
  wrapper_->AddCallback(&second);
  EXPECT_EQ(ipc_test::Notify(wrapper_->channel(), &FillComplete), 0);
  for (RecordingCallback* callback : {&first, &second}) {
    EXPECT_EQ(callback->calls, 1);
    EXPECT_NE(callback->threadId.load(), GetCurrentThreadId());
    EXPECT_TRUE(callback->underLock);
    EXPECT_EQ(callback->last.open_id, L"open-9");
    EXPECT_EQ(callback->last.token, L"tok-9");
    EXPECT_EQ(callback->last.nick_name, L"Cy");
    EXPECT_EQ(callback->last.vip_type, 2);
    EXPECT_EQ(callback->last.vaild_date, 20301231);
    EXPECT_EQ(callback->last.from, 5);
    EXPECT_FALSE(callback->last.is_logout);
  }
  EXPECT_FALSE(wrapper_->CallbackLockHeld());
  wrapper_->RemoveCallback(&first);
  EXPECT_EQ(ipc_test::Notify(wrapper_->channel(), &FillComplete), 0);
  EXPECT_EQ(first.calls, 1);
  EXPECT_EQ(second.calls, 2);
  wrapper_->RemoveCallback(&second);
}

// The served function lives in the module: once the last callback has left (Uninitialize), nothing
// may call it any more, for the host may free the module next.
TEST_F(IpcWrapper, TheLastCallbackToLeaveStopsServingAndTellsTheServiceANewOneServesAgain) {
  RecordingCallback first(*wrapper_);
  RecordingCallback second(*wrapper_);
  wrapper_->AddCallback(&first);
  wrapper_->AddCallback(&second);
  wrapper_->RemoveCallback(&first);
  EXPECT_TRUE(wrapper_->serving());
  EXPECT_TRUE(service_.unregistered().empty());
  wrapper_->RemoveCallback(&second);
  EXPECT_FALSE(wrapper_->serving());
  EXPECT_FALSE(wrapper_->registered());
  EXPECT_EQ(service_.unregistered(), std::vector<std::wstring>{wrapper_->channel()});
  EXPECT_EQ(ipc_test::Notify(wrapper_->channel(), &FillComplete), -1000) << "the channel is still served";
  EXPECT_EQ(first.calls + second.calls, 0);

  wrapper_->AddCallback(&first);
  EXPECT_TRUE(wrapper_->serving());
  EXPECT_TRUE(wrapper_->registered());
  EXPECT_EQ(service_.registered(), (std::vector<std::wstring>{wrapper_->channel(), wrapper_->channel()}));
  EXPECT_EQ(ipc_test::Notify(wrapper_->channel(), &FillComplete), 0);
  EXPECT_EQ(first.calls, 1);
  wrapper_->RemoveCallback(&first);
}

TEST_F(IpcWrapper, AQueryWithoutRetSucceedsWhenTheCallReturnedZero) {
  service_.SetAnswer([](tandipc::ITandIpcBundle& out) {
    out.PutString(L"open_id", L"o");
    out.PutString(L"token", L"t");
    out.PutInt(L"is_logout", 0);
    return 0;
  });
  vip::VipUserInfo info;
  EXPECT_TRUE(wrapper_->QueryUserInfo(info));
  EXPECT_EQ(info.open_id, L"o");
  EXPECT_FALSE(info.is_logout);
  service_.SetAnswer([](tandipc::ITandIpcBundle& out) {
    out.PutInt(L"ret", 3);
    return 0;
  });
  EXPECT_FALSE(wrapper_->QueryUserInfo(info));
  service_.SetAnswer([](tandipc::ITandIpcBundle&) { return 2; });
  EXPECT_FALSE(wrapper_->GetLocalUserInfo(info));
}

TEST_F(IpcWrapper, TheLocalUserInfoCarriesEveryKeyOfTheAnswer) {
  service_.SetAnswer([](tandipc::ITandIpcBundle& out) {
    IpcTestService::LoggedIn(out);
    out.PutInt(L"is_tourist", 1);
    out.PutString(L"avatar", L"C:\\a.png");
    return 0;
  });
  qm::ZBundlePtr all(new qm::ZBundle());
  vip::VipUserInfo info;
  ASSERT_TRUE(wrapper_->GetLocalUserInfo(info, all.get()));
  EXPECT_EQ(info.nick_name, L"Ann");
  EXPECT_EQ(info.from, 4);
  EXPECT_EQ(all->GetInt(L"is_tourist", 0), 1);
  EXPECT_EQ(std::wstring(all->GetString(L"avatar", L"")), L"C:\\a.png");
}

TEST(IpcWrapperAlone, WithoutAServiceQueriesFailAndTheChannelIsRegisteredOnceItAnswers) {
  const std::wstring channel = ipc_test::UniqueChannel(L"late");
  SheerVipIpcWrapper wrapper(ipc_test::Library(), channel);
  EXPECT_TRUE(wrapper.serving());
  EXPECT_FALSE(wrapper.registered());
  vip::VipUserInfo info;
  EXPECT_FALSE(wrapper.QueryUserInfo(info));
  EXPECT_FALSE(wrapper.GetLocalUserInfo(info));
  IpcTestService late(channel);
  ASSERT_TRUE(late.Start());
  EXPECT_TRUE(wrapper.QueryUserInfo(info));
  EXPECT_TRUE(wrapper.registered());
  EXPECT_EQ(late.registered(), std::vector<std::wstring>{wrapper.channel()});
}

TEST(IpcWrapperAlone, AServiceThatNeverAnswersCostsOneTimeOutNotAHang) {
  const std::wstring channel = ipc_test::UniqueChannel(L"mute");
  ipc_test::IpcRawPipeServer mute(channel, ipc_test::IpcRawPipeServer::Mode::kSilent);
  SheerVipIpcWrapper wrapper(ipc_test::Library(), channel);  // its registration times out
  EXPECT_FALSE(wrapper.registered());
}

TEST(IpcWrapperAlone, AMissingLibraryMakesEveryStepANoOp) {
  sheer_vip::SheerIpcLibrary none(nullptr);
  SheerVipIpcWrapper wrapper(none, L"ISheerVipIpc");
  EXPECT_FALSE(wrapper.serving());
  vip::VipUserInfo info;
  EXPECT_FALSE(wrapper.QueryUserInfo(info));
  EXPECT_EQ(info, vip::VipUserInfo{});
}

}  // namespace
