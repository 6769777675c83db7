// The Tessik adapter over the IPC client: the one restart of the VIP service, the privilege
// store (the stand-in libraries), the states, the page program's arguments and the listeners.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "IpcTestService.h"
#include "TestFiles.h"
#include "vip/CPDFTessikVipSdkAdapter.h"
#include "vip/TessikPrivilegeStore.h"

namespace {

using ipc_test::IpcTestService;
using sheer_vip::SheerVipIpcWrapper;
using vip::CPDFTessikVipSdkAdapter;

struct HostRecord {
  bool running = false;
  int starts = 0;
  std::vector<unsigned long> waits;
  bool privilege = false;
  std::vector<std::wstring> pages;
  std::function<void()> onStart;
};

class FakeTessikHost final : public vip::ITessikVipHost {
 public:
  explicit FakeTessikHost(HostRecord& record) : record_(record) {}
  bool IsServiceRunning() override { return record_.running; }
  bool StartVipService() override {
    ++record_.starts;
    if (record_.onStart) record_.onStart();
    return true;
  }
  void Wait(unsigned long milliseconds) override { record_.waits.push_back(milliseconds); }
  bool HasPrivilege(const std::wstring& name) override { return name == L"pdf_to_word" && record_.privilege; }
  int TryNo() override { return 321; }
  bool StartPage(const std::wstring& arguments) override {
    record_.pages.push_back(arguments);
    return true;
  }

 private:
  HostRecord& record_;
};

class RecordingListener final : public vip::IPDFVipUserInfoListener {
 public:
  void OnVipUserInfoChanged(const vip::VipUserInfo& info) override {
    last = info;
    ++calls;
  }
  vip::VipUserInfo last;
  int calls = 0;
};

class TessikAdapter : public ::testing::Test {
 protected:
  std::unique_ptr<CPDFTessikVipSdkAdapter> Adapter() {
    return std::make_unique<CPDFTessikVipSdkAdapter>(wrapper_, std::make_unique<FakeTessikHost>(host_));
  }
  void Answer(std::function<void(tandipc::ITandIpcBundle&)> fill) {
    service_->SetAnswer([fill](tandipc::ITandIpcBundle& out) {
      IpcTestService::LoggedIn(out);
      fill(out);
      return 0;
    });
  }

  std::wstring channel_ = ipc_test::UniqueChannel(L"tessik");
  SheerVipIpcWrapper wrapper_{ipc_test::Library(), channel_};
  std::unique_ptr<IpcTestService> service_;
  HostRecord host_;
};

TEST_F(TessikAdapter, AServiceNotRunningIsStartedOnceWaitedForAndAskedAgain) {
  host_.onStart = [this] {
    service_ = std::make_unique<IpcTestService>(channel_);
    service_->Start();
  };
  auto adapter = Adapter();
  EXPECT_EQ(adapter->GetVipState(), vip::kVipStateLoggedIn);
  EXPECT_EQ(host_.starts, 1);
  EXPECT_EQ(host_.waits, std::vector<unsigned long>{1000});
  EXPECT_EQ(service_->queries(), 1);
  // The service started now learns the module's channel with the first answer.
  EXPECT_EQ(service_->registered(), std::vector<std::wstring>{wrapper_.channel()});
}

TEST_F(TessikAdapter, AServiceThatStaysDownGivesNeutralAnswers) {
  auto adapter = Adapter();
  EXPECT_EQ(adapter->GetVipState(), vip::kVipStateLoggedOut);
  EXPECT_EQ(host_.starts, 1);
  EXPECT_EQ(host_.waits, std::vector<unsigned long>{1000});
  EXPECT_FALSE(adapter->IsLogin());
  EXPECT_FALSE(adapter->IsVip());
  EXPECT_FALSE(adapter->IsTourist());
  vip::VipUserInfo info;
  EXPECT_FALSE(adapter->FillUserInfo(info));
  EXPECT_EQ(adapter->GetUserInfo(), vip::VipUserInfo{});
  // Without an answer the privilege store still decides.
  host_.privilege = true;
  EXPECT_EQ(adapter->GetVipState(), vip::kVipStateVip);
  EXPECT_EQ(host_.starts, 2);
}

TEST_F(TessikAdapter, AServiceThatRunsButDoesNotAnswerIsNotStartedAgain) {
  host_.running = true;
  auto adapter = Adapter();
  EXPECT_EQ(adapter->GetVipState(), vip::kVipStateLoggedOut);
  EXPECT_EQ(host_.starts, 0);
  EXPECT_TRUE(host_.waits.empty());
}

TEST_F(TessikAdapter, StatesFromTheServiceAndThePrivilege) {
  service_ = std::make_unique<IpcTestService>(channel_);
  ASSERT_TRUE(service_->Start());
  auto adapter = Adapter();
  EXPECT_EQ(adapter->GetVipState(), vip::kVipStateLoggedIn);
  EXPECT_TRUE(adapter->IsLogin());
  EXPECT_FALSE(adapter->IsVip());
  Answer([](tandipc::ITandIpcBundle& out) { out.PutString(L"nick_name", L""); });
  EXPECT_EQ(adapter->GetVipState(), vip::kVipStateLoggedOut);
  EXPECT_TRUE(adapter->IsLogin());
  Answer([](tandipc::ITandIpcBundle& out) { out.PutInt(L"is_logout", 1); });
  EXPECT_EQ(adapter->GetVipState(), vip::kVipStateLoggedOut);
  EXPECT_FALSE(adapter->IsLogin());
  Answer([](tandipc::ITandIpcBundle& out) {
    out.PutInt(L"vip_type", 3);
    out.PutInt(L"vaild_date", 20301231);
    out.PutInt(L"is_tourist", 1);
    out.PutString(L"is_continuous", L"1");
    out.PutString(L"avatar", L"pic");
  });
  EXPECT_TRUE(adapter->IsVip());
  EXPECT_EQ(adapter->GetVipState(), vip::kVipStateLoggedIn);  // the privilege decides VIP
  host_.privilege = true;
  EXPECT_EQ(adapter->GetVipState(), vip::kVipStateVip);
  vip::VipUserInfo info;
  ASSERT_TRUE(adapter->FillUserInfo(info));
  EXPECT_EQ(info.vip_type, 3);
  EXPECT_TRUE(info.is_tourist);
  EXPECT_TRUE(info.is_continuous);
  EXPECT_EQ(info.avatar, L"pic");
  EXPECT_TRUE(adapter->IsTourist());
  Answer([](tandipc::ITandIpcBundle& out) { out.PutInt(L"vip_type", 3); });  // no validity
  EXPECT_FALSE(adapter->IsVip());
  EXPECT_EQ(adapter->GetVipProductId(), 0);
  vip::VipExpiryList list;
  EXPECT_TRUE(adapter->ReadVipExpiryList(list));
  EXPECT_EQ(host_.starts, 0);
}

TEST_F(TessikAdapter, OpensPagesThroughTheHelperWithTheOpenOption) {
  auto adapter = Adapter();
  EXPECT_TRUE(adapter->OpenVipPage(1, 6411, 0));
  EXPECT_TRUE(adapter->OpenVipPage(2, 6411, 7));
  EXPECT_TRUE(adapter->OpenVipPageWithQuery(3, 12, 0, L"ignored=1"));
  EXPECT_FALSE(adapter->OpenVipPage(4, 6411, 0));
  const std::vector<std::wstring> expected = {
      L" --subpid=1 --fid=0 -open_opction=6 -from=6411", L" --subpid=1 --fid=7 -open_opction=15 -from=6411",
      L" --subpid=1 --fid=0 -open_opction=1 -url=\"https://vip.tessik.example/321/pdf/?\" -from=12"};
  EXPECT_EQ(host_.pages, expected);
}

TEST_F(TessikAdapter, NotificationsReachListenersUntilTheAdapterIsGone) {
  RecordingListener listener;
  {
    auto adapter = Adapter();
    adapter->AddUserInfoListener(&listener);
    adapter->AddUserInfoListener(nullptr);
    EXPECT_EQ(adapter->ListenerCount(), 1u);
    EXPECT_EQ(ipc_test::Notify(wrapper_.channel(),
                               [](tandipc::ITandIpcBundle& r) {
                                 r.PutString(L"open_id", L"o2");
                                 r.PutString(L"token", L"t2");
                               }),
              0);
    EXPECT_EQ(listener.calls, 1);
    EXPECT_EQ(listener.last.open_id, L"o2");
  }
  // Its callback left the client with it, the last one: the channel is no longer served.
  EXPECT_EQ(ipc_test::Notify(wrapper_.channel(),
                             [](tandipc::ITandIpcBundle& r) {
                               r.PutString(L"open_id", L"o3");
                               r.PutString(L"token", L"t3");
                             }),
            -1000);
  EXPECT_EQ(listener.calls, 1);
  EXPECT_FALSE(wrapper_.serving());
}

// The service ended (it does when idle) and the adapter starts it again: the new service knows no
// channel until it is told, or the account changes would reach nobody from then on.
TEST_F(TessikAdapter, AServiceStartedAgainIsToldTheChannelAgain) {
  service_ = std::make_unique<IpcTestService>(channel_);
  ASSERT_TRUE(service_->Start());
  auto adapter = Adapter();
  EXPECT_EQ(adapter->GetVipState(), vip::kVipStateLoggedIn);
  EXPECT_EQ(service_->registered(), std::vector<std::wstring>{wrapper_.channel()});
  service_.reset();
  host_.onStart = [this] {
    service_ = std::make_unique<IpcTestService>(channel_);
    service_->Start();
  };
  EXPECT_EQ(adapter->GetVipState(), vip::kVipStateLoggedIn);
  EXPECT_EQ(host_.starts, 1);
  EXPECT_EQ(service_->registered(), std::vector<std::wstring>{wrapper_.channel()});
  EXPECT_TRUE(wrapper_.registered());
}

// The store's two stand-in libraries, copied to a folder of their own, answer from a state file.
class TessikPrivileges : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new testing_support::TempDir();
    const std::wstring built = testing_support::ExecutableFolder();
    CopyFileW((built + L"vdprivcore.dll").c_str(), folder_->File(L"vdprivcore.dll").c_str(), FALSE);
    CopyFileW((built + L"vdprivext.dll").c_str(), folder_->File(L"vdprivext.dll").c_str(), FALSE);
    SetEnvironmentVariableW(L"ACTIVITY_VIP_STATE", folder_->File(L"vip.state.json").c_str());
    SetEnvironmentVariableW(L"ACTIVITY_JOURNAL_DIR", folder_->path().c_str());
    store_ = new vip::TessikPrivilegeStore(folder_->path());
  }
  static void TearDownTestSuite() {
    delete store_;
    SetEnvironmentVariableW(L"ACTIVITY_VIP_STATE", nullptr);
    SetEnvironmentVariableW(L"ACTIVITY_JOURNAL_DIR", nullptr);
    delete folder_;  // best effort: the first library stays mapped in this process
  }
  static void State(const std::string& json) { testing_support::WriteBytes(folder_->File(L"vip.state.json"), json); }

  static inline testing_support::TempDir* folder_ = nullptr;
  static inline vip::TessikPrivilegeStore* store_ = nullptr;
};

TEST_F(TessikPrivileges, GrantedByTheFirstLibraryByTheSecondOrByNeither) {
  State(R"({"privileges": ["pdf_to_word"]})");
  EXPECT_TRUE(store_->HasPrivilege(L"pdf_to_word"));
  State(R"({"privileges": ["other"], "privileges_extra": ["pdf_to_word"]})");
  EXPECT_TRUE(store_->HasPrivilege(L"pdf_to_word"));
  EXPECT_TRUE(store_->HasPrivilege(L"pdf_to_word"));  // a new instance of the second library each time
  State(R"({"privileges": ["other"], "privileges_extra": ["more"]})");
  EXPECT_FALSE(store_->HasPrivilege(L"pdf_to_word"));
  State("not json at all");
  EXPECT_FALSE(store_->HasPrivilege(L"pdf_to_word"));
}

TEST(TessikPrivilegeStoreAlone, WithoutAFolderOrLibrariesNothingIsGranted) {
  vip::TessikPrivilegeStore none(L"");
  EXPECT_FALSE(none.HasPrivilege(L"pdf_to_word"));
  testing_support::TempDir empty;
  vip::TessikPrivilegeStore missing(empty.path());
  EXPECT_FALSE(missing.HasPrivilege(L"pdf_to_word"));
}

}  // namespace
