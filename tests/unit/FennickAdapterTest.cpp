// The Fennick adapter over the account library stand-in: logged out, logged in and VIP users,
// the account record's conversion, change notifications and the browser's page command.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>

#include "IpcTestSupport.h"
#include "JournalReader.h"
#include "TestFiles.h"
#include "vip/PDFFennickVipSdkAdapter.h"

namespace {

using vip::PDFFennickVipSdkAdapter;

class CountingListener final : public vip::IPDFVipUserInfoListener {
 public:
  CountingListener() : changed_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
  ~CountingListener() override { CloseHandle(changed_); }
  void OnVipUserInfoChanged(const vip::VipUserInfo& info) override {
    openId = info.open_id;
    ++calls;
    SetEvent(changed_);
  }
  bool WaitForChange() { return WaitForSingleObject(changed_, 10000) == WAIT_OBJECT_0; }
  std::wstring openId;
  std::atomic<int> calls{0};

 private:
  HANDLE changed_;
};

class FennickAdapter : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableW(L"ACTIVITY_VIP_STATE", folder_.File(L"vip.state.json").c_str());
    SetEnvironmentVariableW(L"ACTIVITY_JOURNAL_DIR", folder_.path().c_str());
    browser_ = folder_.File(L"fennickbrowser.exe");
    CopyFileW((testing_support::ExecutableFolder() + L"vippage.exe").c_str(), browser_.c_str(), FALSE);
    adapter_ = std::make_unique<PDFFennickVipSdkAdapter>(ipc_test::LoadBeside(L"fkaccount.dll"), browser_,
                                                         [] { return 77; });
  }
  void TearDown() override {
    adapter_.reset();
    SetEnvironmentVariableW(L"ACTIVITY_VIP_STATE", nullptr);
    SetEnvironmentVariableW(L"ACTIVITY_JOURNAL_DIR", nullptr);
  }
  void State(const std::string& json) { testing_support::WriteBytes(folder_.File(L"vip.state.json"), json); }

  testing_support::TempDir folder_;
  std::wstring browser_;
  std::unique_ptr<PDFFennickVipSdkAdapter> adapter_;
};

TEST_F(FennickAdapter, LoggedOutLoggedInAndVip) {
  ASSERT_TRUE(adapter_->HasAccount());
  State(R"({"logged_in": false})");
  EXPECT_EQ(adapter_->GetVipState(), vip::kVipStateLoggedOut);
  EXPECT_FALSE(adapter_->IsLogin());
  vip::VipUserInfo info;
  EXPECT_FALSE(adapter_->FillUserInfo(info));

  State(R"({"logged_in": true, "open_id": "fk-1", "token": "tk-1", "nick_name": "Di", "vip_type": 0})");
  EXPECT_EQ(adapter_->GetVipState(), vip::kVipStateLoggedIn);
  EXPECT_TRUE(adapter_->IsLogin());
  EXPECT_FALSE(adapter_->IsVip());

  State(R"({"logged_in": true, "open_id": "fk-2", "token": "tk-2", "nick_name": "Ed", "vip_type": 2,)"
        R"( "vip_expire": 8589934597, "is_continuous": 1, "is_tourist": 0, "avatar": "a.png"})");
  EXPECT_EQ(adapter_->GetVipState(), vip::kVipStateVip);
  EXPECT_TRUE(adapter_->IsVip());
  ASSERT_TRUE(adapter_->FillUserInfo(info));
  EXPECT_EQ(info.open_id, L"fk-2");
  EXPECT_EQ(info.token, L"tk-2");
  EXPECT_EQ(info.nick_name, L"Ed");
  EXPECT_EQ(info.avatar, L"a.png");
  EXPECT_EQ(info.vip_ex_date, 8589934597LL);
  EXPECT_EQ(info.vaild_date, 5);
  EXPECT_TRUE(info.is_continuous);
  EXPECT_FALSE(info.is_logout);
  EXPECT_EQ(adapter_->GetVipProductId(), 8);
}

TEST_F(FennickAdapter, ABrokenStateFileIsALoggedOutUser) {
  State("{\"logged_in\": tru");
  EXPECT_EQ(adapter_->GetVipState(), vip::kVipStateLoggedOut);
  State(std::string(2 << 20, '{'));
  EXPECT_FALSE(adapter_->IsLogin());
}

TEST_F(FennickAdapter, OpensPagesWithTheBrowsersArguments) {
  EXPECT_TRUE(adapter_->OpenVipPage(2, 6411, 0));
  const auto runs = testing_support::WaitForJournal(folder_.File(L"vippage.journal.jsonl"), L"run", 1);
  ASSERT_EQ(runs.size(), 1u);
  const std::wstring line = runs[0].at(L"command_line");
  EXPECT_NE(line.find(L"fennickbrowser.exe"), std::wstring::npos) << line;
  EXPECT_NE(line.find(L"--pdfvip --tryno=77 --source=26 --page=2"), std::wstring::npos) << line;
}

TEST_F(FennickAdapter, AccountChangesReachTheListeners) {
  CountingListener listener;
  adapter_->AddUserInfoListener(&listener);
  State(R"({"logged_in": true, "open_id": "fk-3", "token": "tk-3"})");
  ASSERT_TRUE(listener.WaitForChange());
  EXPECT_EQ(listener.openId, L"fk-3");
  adapter_->RemoveUserInfoListener(&listener);
}

TEST(FennickAdapterAlone, WithoutTheLibraryEverythingIsNeutral) {
  PDFFennickVipSdkAdapter adapter(nullptr, L"", nullptr);
  EXPECT_FALSE(adapter.HasAccount());
  EXPECT_EQ(adapter.GetVipState(), vip::kVipStateLoggedOut);
  EXPECT_FALSE(adapter.IsLogin());
  EXPECT_FALSE(adapter.OpenVipPage(1, 6411, 0));
  EXPECT_EQ(adapter.GetUserInfo(), vip::VipUserInfo{});
}

TEST(FennickAdapterAlone, ARecordWithoutTerminatorsStaysWithinItsFields) {
  fkaccount::FkAccountRecord record{};
  record.size = sizeof(record);
  record.loggedIn = 1;
  std::fill(std::begin(record.openId), std::end(record.openId), L'x');
  std::fill(std::begin(record.token), std::end(record.token), L'y');
  const vip::VipUserInfo info = PDFFennickVipSdkAdapter::Convert(record);
  EXPECT_EQ(info.open_id, std::wstring(64, L'x'));
  EXPECT_EQ(info.token, std::wstring(256, L'y'));
}

}  // namespace
