// The VIP facade in simulated hosts of types 1 (VIP service over IPC, privilege store) and 7
// (browser account library): logged-out, logged-in and VIP users, the stand-ins' journals, page
// commands and account changes arriving while the module runs. One scenario per ctest entry.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ChildProcess.h"
#include "IpcHost.h"
#include "TestFiles.h"
#include "utils/TextEncoding.h"

using ipc_test::IpcHost;

namespace {

const char kLoggedIn[] =
    R"({"open_id": "open-7", "token": "tok-7", "nick_name": "Ann", "is_logout": 0, "vip_type": 0})";
const char kVipFirst[] =
    R"({"open_id": "open-8", "token": "tok-8", "nick_name": "Bo", "is_logout": 0, "vip_type": 2,)"
    R"( "vaild_date": 20301231, "privileges": ["pdf_to_word"]})";
const char kVipSecond[] =
    R"({"open_id": "open-8", "token": "tok-8", "nick_name": "Bo", "is_logout": 0, "vip_type": 2,)"
    R"( "vaild_date": 20301231, "privileges": ["other"], "privileges_extra": ["pdf_to_word"]})";
const char kChanged[] = R"({"open_id": "open-9", "token": "tok-9", "nick_name": "Cy", "is_logout": 0})";

size_t Count(const std::vector<testing_support::JournalEntry>& entries, const std::wstring& key,
             const std::wstring& value) {
  size_t count = 0;
  for (const auto& entry : entries) count += entry.count(key) && entry.at(key) == value ? 1 : 0;
  return count;
}

void ExpectAnswers(const UxJsonEx::Document& report, int state, bool login, bool vip, const std::wstring& openId) {
  const auto before = report.Get(L"before");
  EXPECT_EQ(before.Get(L"state").AsInt(), state);
  EXPECT_EQ(before.Get(L"is_login").AsBool(), login);
  EXPECT_EQ(before.Get(L"is_vip").AsBool(), vip);
  EXPECT_EQ(before.Get(L"open_id").AsString(), openId);
}

}  // namespace

TEST(IpcHost, Type1Users) {
  IpcHost host;
  ASSERT_TRUE(host.Install(1, L"users"));
  // Logged out, and the VIP service not running: the module starts it once.
  UxJsonEx::Document loggedOut;
  ASSERT_TRUE(host.Probe(L"", loggedOut));
  ExpectAnswers(loggedOut, 1, false, false, L"");
  const auto starts = host.Journal(L"vipservice", L"start");
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_NE(starts[0].at(L"command_line").find(L"tessikvipsvc.exe\" /runhide"), std::wstring::npos);
  // The channel reached the service once it answered, and was taken back when the adapter went.
  EXPECT_TRUE(loggedOut.Get(L"registered").AsBool());
  const auto registrations = host.Journal(L"vipservice", L"RegistIpcNotify");
  EXPECT_EQ(Count(registrations, L"notify_ipc", loggedOut.Get(L"channel").AsString()), 2u);
  EXPECT_EQ(Count(registrations, L"is_regist", L"1"), 1u);
  EXPECT_EQ(Count(registrations, L"is_regist", L"0"), 1u);

  host.WriteState(kLoggedIn);
  UxJsonEx::Document loggedIn;
  ASSERT_TRUE(host.Probe(L"", loggedIn));
  ExpectAnswers(loggedIn, 2, true, false, L"open-7");
  EXPECT_EQ(loggedIn.Get(L"before").Get(L"nick_name").AsString(), L"Ann");

  host.WriteState(kVipFirst);
  UxJsonEx::Document vipFirst;
  ASSERT_TRUE(host.Probe(L"", vipFirst));
  ExpectAnswers(vipFirst, 3, true, true, L"open-8");

  host.WriteState(kVipSecond);
  UxJsonEx::Document vipSecond;
  ASSERT_TRUE(host.Probe(L"", vipSecond));
  ExpectAnswers(vipSecond, 3, true, true, L"open-8");
  const auto asked = host.Journal(L"vdpriv", L"HasPrivilege");
  EXPECT_GE(Count(asked, L"library", L"extra"), 1u);

  // The service was started only by the first probe; the others found it.
  EXPECT_EQ(host.Journal(L"vipservice", L"start").size(), 1u);
  EXPECT_GE(host.Journal(L"vipservice", L"QueryUserInfo").size(), 4u);
  host.Show(L"vipservice");
}

TEST(IpcHost, Type1PrivilegeByNeither) {
  IpcHost host;
  ASSERT_TRUE(host.Install(1, L"neither", L"--no-privilege-extra"));
  host.WriteState(kVipSecond);  // only the missing second library would grant it
  UxJsonEx::Document report;
  ASSERT_TRUE(host.Probe(L"", report));
  ExpectAnswers(report, 2, true, true, L"open-8");
  EXPECT_EQ(Count(host.Journal(L"vdpriv", L"HasPrivilege"), L"library", L"extra"), 0u);
}

TEST(IpcHost, Type1Pages) {
  IpcHost host;
  ASSERT_TRUE(host.Install(1, L"pages"));
  UxJsonEx::Document report;
  ASSERT_TRUE(host.Probe(L"--open 1 --open 2 --open 3 --open 4", report));
  const auto opened = report.Get(L"opened");
  EXPECT_TRUE(opened.Get(L"0").AsBool());
  EXPECT_TRUE(opened.Get(L"1").AsBool());
  EXPECT_TRUE(opened.Get(L"2").AsBool());
  EXPECT_FALSE(opened.Get(L"3").AsBool());
  const auto runs = host.WaitJournal(L"vippage", L"run", 3);
  ASSERT_EQ(runs.size(), 3u);
  std::set<std::wstring> tails;
  for (const auto& run : runs) {
    const std::wstring& line = run.at(L"command_line");
    EXPECT_NE(line.find(L"tessikvip.exe"), std::wstring::npos) << line;
    tails.insert(line.substr(line.find(L"--subpid")));
  }
  const std::set<std::wstring> expected = {
      L"--subpid=1 --fid=0 -open_opction=6 -from=6411", L"--subpid=1 --fid=0 -open_opction=15 -from=6411",
      L"--subpid=1 --fid=0 -open_opction=1 -url=\"https://vip.tessik.example/321/pdf/?\" -from=6411"};
  EXPECT_EQ(tails, expected);
  EXPECT_EQ(host.HelperJournal(L"admin").size(), 3u);  // through the helper's raised-rights start
}

TEST(IpcHost, Type1NotificationWhileTheModuleRuns) {
  IpcHost host;
  ASSERT_TRUE(host.Install(1, L"notify"));
  host.WriteState(kLoggedIn);
  const std::wstring next = host.StagedState(kChanged, L"changed.json");
  UxJsonEx::Document report;
  ASSERT_TRUE(host.Probe(L"--new-state " + next + L" --wait-change 20000", report));
  ExpectAnswers(report, 2, true, false, L"open-7");
  EXPECT_TRUE(report.Get(L"changed").AsBool());
  EXPECT_EQ(report.Get(L"changed_open_id").AsString(), L"open-9");
  EXPECT_TRUE(report.Get(L"changed_on_other_thread").AsBool());
  EXPECT_EQ(report.Get(L"after").Get(L"open_id").AsString(), L"open-9");
  const auto notified = host.WaitJournal(L"vipservice", L"notify", 1);
  ASSERT_GE(notified.size(), 1u);
  EXPECT_EQ(notified[0].at(L"channel"), report.Get(L"channel").AsString());
  EXPECT_EQ(notified[0].at(L"ret"), L"0");
  host.Show(L"vipservice");
}

TEST(IpcHost, Type1TwoProcessesTwoChannels) {
  IpcHost host;
  ASSERT_TRUE(host.Install(1, L"two"));
  host.WriteState(kLoggedIn);
  testing_support::ChildProcess service(host.folder() + L"tessikvipsvc.exe", L"/runhide");
  ASSERT_TRUE(service.started());
  host.WaitJournal(L"vipservice", L"start", 1);
  Sleep(500);  // the service's channel is served right after its start line
  const std::wstring reports[2] = {host.root() + L"\\a.json", host.root() + L"\\b.json"};
  testing_support::ChildProcess first(host.folder() + L"ipcprobe.exe", L"--report " + reports[0] + L" --wait-change 30000");
  testing_support::ChildProcess second(host.folder() + L"ipcprobe.exe", L"--report " + reports[1] + L" --wait-change 30000");
  const auto registered = host.WaitJournal(L"vipservice", L"RegistIpcNotify", 2);
  ASSERT_EQ(registered.size(), 2u);
  EXPECT_NE(registered[0].at(L"notify_ipc"), registered[1].at(L"notify_ipc"));
  Sleep(300);  // both probes are past their first answers and waiting
  host.WriteState(kChanged);
  EXPECT_EQ(first.Wait(), 0);
  EXPECT_EQ(second.Wait(), 0);
  std::set<std::wstring> channels;
  for (const std::wstring& path : reports) {
    UxJsonEx::Document report;
    ASSERT_TRUE(report.Parse(qm::encoding::Utf8ToWide(testing_support::ReadBytes(path)))) << path;
    EXPECT_TRUE(report.Get(L"changed").AsBool());
    EXPECT_EQ(report.Get(L"changed_open_id").AsString(), L"open-9");
    channels.insert(report.Get(L"channel").AsString());
  }
  EXPECT_EQ(channels.size(), 2u);
  EXPECT_EQ(host.Journal(L"vipservice", L"notify").size(), 2u);
  host.Show(L"vipservice");
}

TEST(IpcHost, Type1NoServiceProgram) {
  IpcHost host;
  ASSERT_TRUE(host.Install(1, L"noservice"));
  ASSERT_TRUE(DeleteFileW((host.folder() + L"tessikvipsvc.exe").c_str()));
  host.WriteState(kLoggedIn);
  UxJsonEx::Document report;
  ASSERT_TRUE(host.Probe(L"", report));
  ExpectAnswers(report, 1, false, false, L"");
  EXPECT_FALSE(report.Get(L"before").Get(L"fill").AsBool());
  EXPECT_FALSE(report.Get(L"registered").AsBool());
}

TEST(IpcHost, Type7Users) {
  IpcHost host;
  ASSERT_TRUE(host.Install(7, L"users"));
  UxJsonEx::Document loggedOut;
  ASSERT_TRUE(host.Probe(L"--open 2", loggedOut));
  ExpectAnswers(loggedOut, 1, false, false, L"");
  EXPECT_EQ(loggedOut.Get(L"before").Get(L"vip_product_id").AsInt(), 8);
  host.WriteState(R"({"logged_in": true, "open_id": "fk-1", "token": "ft-1", "nick_name": "Di"})");
  UxJsonEx::Document loggedIn;
  ASSERT_TRUE(host.Probe(L"", loggedIn));
  ExpectAnswers(loggedIn, 2, true, false, L"fk-1");
  host.WriteState(R"({"logged_in": true, "open_id": "fk-2", "token": "ft-2", "vip_type": 3})");
  UxJsonEx::Document vip;
  ASSERT_TRUE(host.Probe(L"", vip));
  ExpectAnswers(vip, 3, true, true, L"fk-2");
  const auto runs = host.WaitJournal(L"vippage", L"run", 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_NE(runs[0].at(L"command_line").find(L"fennickbrowser.exe"), std::wstring::npos);
  EXPECT_NE(runs[0].at(L"command_line").find(L"--pdfvip --tryno=321 --source=26 --page=2"), std::wstring::npos);
  EXPECT_GE(host.Journal(L"fkaccount", L"GetAccountInfo").size(), 3u);
  host.Show(L"fkaccount");
}

TEST(IpcHost, Type7NotificationWhileTheModuleRuns) {
  IpcHost host;
  ASSERT_TRUE(host.Install(7, L"notify"));
  host.WriteState(R"({"logged_in": true, "open_id": "fk-1", "token": "ft-1"})");
  const std::wstring next = host.StagedState(R"({"logged_in": true, "open_id": "fk-5", "token": "ft-5", "nick_name": "Flo"})", L"n.json");
  UxJsonEx::Document report;
  ASSERT_TRUE(host.Probe(L"--new-state " + next + L" --wait-change 20000", report));
  EXPECT_TRUE(report.Get(L"changed").AsBool());
  EXPECT_EQ(report.Get(L"changed_open_id").AsString(), L"fk-5");
  EXPECT_TRUE(report.Get(L"changed_on_other_thread").AsBool());
}
