// The VIP service stand-in, run as its own process beside the IPC library, refuses what the
// module may not send it: registrations of another form, stray keys, queries with keys, a command
// line other than its own with " /runhide". Its registrations do not outlive the process.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "ChildProcess.h"
#include "IpcTestSupport.h"
#include "JournalReader.h"
#include "TestFiles.h"

namespace {

using BundleFill = std::function<void(tandipc::ITandIpcBundle&)>;

constexpr wchar_t kServiceChannel[] = L"ISheerVipIpc";
const std::wstring kModuleChannel = L"sheer_vip_ipc_Wraper_0123456789ABCDEF0123456789ABCDEF";

class VipServiceBoundary : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring built = testing_support::ExecutableFolder();
    ASSERT_TRUE(CopyFileW((built + L"tessikvipsvc.exe").c_str(), Program().c_str(), FALSE));
    ASSERT_TRUE(CopyFileW((built + L"tandipc.dll").c_str(), folder_.File(L"tandipc.dll").c_str(), FALSE));
    SetEnvironmentVariableW(L"ACTIVITY_JOURNAL_DIR", folder_.path().c_str());
    SetEnvironmentVariableW(L"ACTIVITY_VIP_STATE", folder_.File(L"vip.state.json").c_str());
    State(R"({"open_id": "o-1", "token": "t-1", "nick_name": "Ann", "is_logout": 0})");
  }
  void TearDown() override {
    service_.reset();
    SetEnvironmentVariableW(L"ACTIVITY_JOURNAL_DIR", nullptr);
    SetEnvironmentVariableW(L"ACTIVITY_VIP_STATE", nullptr);
  }

  std::wstring Program() const { return folder_.File(L"tessikvipsvc.exe"); }
  void State(const std::string& json) { testing_support::WriteBytes(folder_.File(L"vip.state.json"), json); }
  std::vector<testing_support::JournalEntry> Journal(const std::wstring& call) {
    return testing_support::ReadJournal(folder_.File(L"vipservice.journal.jsonl"), call);
  }

  // Starts the service as the module does and waits until its channel answers.
  bool StartService() {
    service_ = std::make_unique<testing_support::ChildProcess>(Program(), L"/runhide");
    for (int i = 0; i < 100 && service_->started(); ++i) {
      sheer_vip::TandIpcClientPtr client = ipc_test::Library().NewClient();
      if (client->Connect(kServiceChannel)) return true;
      Sleep(100);
    }
    return false;
  }

  int32_t Call(const wchar_t* function, const BundleFill& fill) {
    sheer_vip::TandIpcBundlePtr request = ipc_test::Library().NewBundle();
    sheer_vip::TandIpcBundlePtr response = ipc_test::Library().NewBundle();
    sheer_vip::TandIpcClientPtr client = ipc_test::Library().NewClient();
    if (!client->Connect(kServiceChannel)) return -1000;
    fill(*request);
    return client->Call(function, request.get(), response.get());
  }

  testing_support::TempDir folder_;
  std::unique_ptr<testing_support::ChildProcess> service_;
};

TEST_F(VipServiceBoundary, RefusesRequestsThatBreakTheContract) {
  ASSERT_TRUE(StartService());
  auto registration = [](const std::wstring& channel, const BundleFill& more) {
    return [channel, more](tandipc::ITandIpcBundle& request) {
      request.PutString(L"notify_ipc", channel.c_str());
      more(request);
    };
  };
  const BundleFill registIsText = [](auto& request) { request.PutString(L"is_regist", L"1"); };
  const BundleFill regist = [](auto& request) { request.PutInt(L"is_regist", 1); };
  const BundleFill stray = [](auto& request) {
    request.PutInt(L"is_regist", 1);
    request.PutInt(L"extra", 1);
  };
  EXPECT_EQ(Call(L"RegistIpcNotify", registration(kModuleChannel, registIsText)), -1);
  EXPECT_EQ(Call(L"RegistIpcNotify", registration(L"my_channel", regist)), -1);
  EXPECT_EQ(Call(L"RegistIpcNotify", registration(kModuleChannel, stray)), -1);
  EXPECT_EQ(Call(L"QueryUserInfo", [](auto& request) { request.PutInt(L"is_regist", 1); }), -1);
  EXPECT_EQ(Journal(L"refused").size(), 4u);
  EXPECT_TRUE(Journal(L"RegistIpcNotify").empty());
  // What the module sends is heard.
  EXPECT_EQ(Call(L"RegistIpcNotify", registration(kModuleChannel, regist)), 0);
  EXPECT_EQ(Call(L"QueryUserInfo", [](auto&) {}), 0);
  EXPECT_EQ(Journal(L"refused").size(), 4u);
  ASSERT_EQ(Journal(L"RegistIpcNotify").size(), 1u);
}

TEST_F(VipServiceBoundary, ServesOnlyWhenStartedWithRunhideAlone) {
  for (const std::wstring arguments : {L"", L"/runhide --debug", L"-runhide"}) {
    testing_support::ChildProcess wrong(Program(), arguments);
    EXPECT_EQ(wrong.Wait(20000), 2) << arguments.c_str();
  }
  const auto refused = Journal(L"refused");
  ASSERT_EQ(refused.size(), 3u);
  EXPECT_EQ(refused[0].at(L"function"), L"start");
}

TEST_F(VipServiceBoundary, RegistrationsDoNotOutliveTheService) {
  ASSERT_TRUE(StartService());
  ASSERT_EQ(Call(L"RegistIpcNotify",
                 [](auto& request) {
                   request.PutString(L"notify_ipc", kModuleChannel.c_str());
                   request.PutInt(L"is_regist", 1);
                 }),
            0);
  service_.reset();  // ends the process
  ASSERT_TRUE(StartService());
  State(R"({"open_id": "o-2", "token": "t-2", "nick_name": "Bo", "is_logout": 0})");
  Sleep(1500);  // the service looks at the state file every tenth of a second
  EXPECT_TRUE(Journal(L"notify").empty()) << "a restarted service knows no channel";
}

}  // namespace
