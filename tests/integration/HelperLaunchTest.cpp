// Starting the helper and the VIP page program for real, observed through the stand-ins' journals.
#include <gtest/gtest.h>

#include <ctime>
#include <thread>

#include "FakeHostSystem.h"
#include "JournalReader.h"
#include "TestFiles.h"
#include "product/HelperLauncher.h"
#include "utils/Base64.h"
#include "utils/TextEncoding.h"
#include "vanta/VantaUtils.h"
#include "vanta/IZVantaWarpper.h"
#include "vip/Win32TessikVipHost.h"

using product::HelperLauncher;
using testing_support::TempDir;
using testing_support::WaitForJournal;

namespace {

const wchar_t kVantaKey[] = L"SOFTWARE\\quillon\\vanta";

bool CopyFromTests(const std::wstring& name, const std::wstring& target) {
  return CopyFileW((testing_support::ExecutableFolder() + name).c_str(), target.c_str(), FALSE) != FALSE;
}

void SetLastUpdate(DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, kVantaKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
  RegSetValueExW(key, L"last_update_time", 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

// Stand-ins journal into this test's own folder.
class HelperLaunch : public ::testing::Test {
 protected:
  void SetUp() override { SetEnvironmentVariableW(L"ACTIVITY_JOURNAL_DIR", journals.path().c_str()); }
  void TearDown() override {
    SetEnvironmentVariableW(L"ACTIVITY_JOURNAL_DIR", nullptr);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\quillon");
  }
  std::wstring Journal(const wchar_t* component) { return journals.File(std::wstring(component) + L".journal.jsonl"); }

  TempDir journals;
};

class FixedMinutes : public vanta::IZVantaWarpper {
 public:
  explicit FixedMinutes(int minutes) : minutes_(minutes) {}
  int Initialize() override { return 1; }
  int Uninitialize() override { return 1; }
  bool GetSwitch(const std::wstring&, bool value) override { return value; }
  int GetABTestGroup(const std::wstring&, int group) override { return group; }
  bool GetRawConfig(const std::wstring&, std::wstring&) override { return false; }
  bool GetABTestParam(const std::wstring&, const wchar_t*, std::wstring&) override { return false; }
  bool Update() override { return false; }
  bool IsMethodSupported(const std::wstring&, const std::wstring&) override { return false; }
  vanta::IBaseInterface* GetComponent(const std::wstring&) override { return nullptr; }
  // A negative count stands for an item without the field: the caller's default comes back.
  int GetConfigInt(const std::wstring&, const std::wstring& field, int value) override {
    if (field != L"update_vanta_minutes") return 0;
    return minutes_ < 0 ? value : minutes_;
  }
  std::wstring& GetConfigString(std::wstring& text, const std::wstring&, const std::wstring&,
                                const wchar_t*) override {
    return text;
  }

 private:
  int minutes_;
};

}  // namespace

TEST_F(HelperLaunch, ForcedUpdateSucceedsOnlyOnExitCodeZero) {
  TempDir folder;
  const std::wstring helper = folder.File(L"quillhelper.exe");
  EXPECT_FALSE(VantaUtils::ForceUpdate(helper, nullptr)) << "missing helper";
  ASSERT_TRUE(CopyFromTests(L"quillhelper.exe", helper));

  EXPECT_TRUE(VantaUtils::ForceUpdate(helper, nullptr));
  EXPECT_LE(std::llabs(static_cast<long long>(VantaUtils::LastUpdateTime()) - _time64(nullptr)), 60);
  EXPECT_EQ(testing_support::ReadJournal(Journal(L"quillhelper"), L"run").at(0).at(L"command_line").find(
                L"-force_update_vanta") != std::wstring::npos,
            true);

  ASSERT_TRUE(testing_support::WriteBytes(folder.File(L"quillhelper.behaviour"), "exit1"));
  EXPECT_FALSE(VantaUtils::ForceUpdate(helper, nullptr));
}

TEST_F(HelperLaunch, StopRequestEndsTheWaitForAHungHelper) {
  TempDir folder;
  const std::wstring helper = folder.File(L"quillhelper.exe");
  ASSERT_TRUE(CopyFromTests(L"quillhelper.exe", helper));
  ASSERT_TRUE(testing_support::WriteBytes(folder.File(L"quillhelper.behaviour"), "hang 20"));
  HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread stopper([stop] {
    Sleep(300);
    SetEvent(stop);
  });
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(VantaUtils::ForceUpdate(helper, stop));
  EXPECT_LT(GetTickCount64() - start, 15000u) << "returned before the helper ended";
  stopper.join();
  CloseHandle(stop);
}

TEST_F(HelperLaunch, RefreshRunsTheHelperOnlyWhenDue) {
  const auto runs = [this] { return testing_support::ReadJournal(Journal(L"quillhelper"), L"run").size(); };
  VantaUtils::RefreshIfDue(*std::make_unique<FixedMinutes>(0), L"item");
  EXPECT_EQ(runs(), 0u) << "0 minutes: never";

  const DWORD now = static_cast<DWORD>(_time64(nullptr));
  SetLastUpdate(REG_DWORD, &now, sizeof(now));
  FixedMinutes tenMinutes(10);
  VantaUtils::RefreshIfDue(tenMinutes, L"item");
  EXPECT_EQ(runs(), 0u) << "refreshed just now";

  const DWORD due = static_cast<DWORD>(_time64(nullptr)) - 600;
  SetLastUpdate(REG_DWORD, &due, sizeof(due));
  VantaUtils::RefreshIfDue(tenMinutes, L"item");
  EXPECT_EQ(runs(), 1u) << "exactly ten minutes ago is due";

  const wchar_t text[] = L"12345";
  SetLastUpdate(REG_SZ, text, sizeof(text));
  EXPECT_EQ(VantaUtils::LastUpdateTime(), 0u);
  VantaUtils::RefreshIfDue(tenMinutes, L"item");
  EXPECT_EQ(runs(), 2u) << "a text value counts as never";
}

TEST_F(HelperLaunch, AlreadySignalledStopStartsNothingAndKeepsTheSignal) {
  TempDir folder;
  const std::wstring helper = folder.File(L"quillhelper.exe");
  ASSERT_TRUE(CopyFromTests(L"quillhelper.exe", helper));
  HANDLE stop = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  EXPECT_FALSE(VantaUtils::ForceUpdate(helper, stop));
  EXPECT_EQ(WaitForSingleObject(stop, 0), WAIT_OBJECT_0) << "the shutdown wait must still see the stop";
  CloseHandle(stop);
  Sleep(300);
  EXPECT_TRUE(testing_support::ReadJournal(Journal(L"quillhelper"), L"run").empty());
}

TEST_F(HelperLaunch, RefreshIntervalDefaultsToThirtyMinutes) {
  const auto runs = [this] { return testing_support::ReadJournal(Journal(L"quillhelper"), L"run").size(); };
  FixedMinutes unset(-1);
  const DWORD recent = static_cast<DWORD>(_time64(nullptr)) - 29 * 60;
  SetLastUpdate(REG_DWORD, &recent, sizeof(recent));
  VantaUtils::RefreshIfDue(unset, L"item");
  EXPECT_EQ(runs(), 0u) << "29 minutes ago";
  const DWORD due = static_cast<DWORD>(_time64(nullptr)) - 30 * 60;
  SetLastUpdate(REG_DWORD, &due, sizeof(due));
  VantaUtils::RefreshIfDue(unset, L"item");
  EXPECT_EQ(runs(), 1u) << "30 minutes ago";
}

TEST_F(HelperLaunch, VipServicePathIsQuotedSoAFolderWithASpaceRunsNothingElse) {
  TempDir root;
  const std::wstring folder = root.File(L"Host App");
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring service = folder + L"\\tessikvipsvc.exe";
  ASSERT_TRUE(CopyFromTests(L"vippage.exe", service));
  ASSERT_TRUE(CopyFromTests(L"vippage.exe", root.File(L"Host.exe"))) << "what an unquoted path would run";
  testing_support::FakeHostSystem system;
  system.executable = folder + L"\\tessik.exe";
  ASSERT_TRUE(vip::Win32TessikVipHost(system).StartVipService());
  const auto runs = WaitForJournal(Journal(L"vippage"), L"run", 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].at(L"command_line"), L"\"" + service + L"\" /runhide");
}

TEST_F(HelperLaunch, UnknownFoldersStartNothing) {
  // A program of that name in the current directory is what a relative path would find.
  TempDir current;
  ASSERT_TRUE(CopyFromTests(L"vippage.exe", current.File(L"wystanvip.exe")));
  ASSERT_TRUE(CopyFromTests(L"vippage.exe", current.File(L"tessikvipsvc.exe")));
  ASSERT_TRUE(CopyFromTests(L"quillhelper.exe", current.File(L"quillhelper.exe")));
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(current.path().c_str()));

  testing_support::FakeHostSystem system;
  product::ProductInfo info;
  info.hostType = 1;
  for (const wchar_t* unknown : {L"", L"\\"}) {
    info.installationFolder = info.readerFolder = unknown;
    system.executable = std::wstring(unknown) + L"tessik.exe";
    HelperLauncher launcher(system, info);
    EXPECT_FALSE(launcher.OpenPage(product::PageTemplates::NewVipSdk(13), product::kLoginPage, 1, 0, L""));
    EXPECT_FALSE(launcher.StartWithRights(current.File(L"wystanvip.exe"), L"--open_web=login"));
    EXPECT_FALSE(vip::Win32TessikVipHost(system).StartVipService());
    EXPECT_EQ(launcher.HostFolderHelper(), L"");
  }
  SetCurrentDirectoryW(previous);
  Sleep(500);
  EXPECT_TRUE(testing_support::ReadJournal(Journal(L"vippage"), L"run").empty());
  EXPECT_TRUE(testing_support::ReadJournal(Journal(L"quillhelper"), L"run").empty());
}

TEST_F(HelperLaunch, PageProgramGetsTheExactArguments) {
  TempDir install;
  {
    product::ProductInfo missing;
    missing.installationFolder = install.path() + L"\\";
    HelperLauncher nothingThere(product::HostSystem::Real(), missing);
    EXPECT_FALSE(nothingThere.OpenPage(product::PageTemplates::NewVipSdk(13), product::kLoginPage, 1, 0, L""))
        << "no page program installed";
  }
  ASSERT_TRUE(CopyFromTests(L"vippage.exe", install.File(L"wystanvip.exe")));
  CreateDirectoryW(install.File(L"ressrc").c_str(), nullptr);
  CreateDirectoryW(install.File(L"ressrc\\chs").c_str(), nullptr);
  ASSERT_TRUE(testing_support::WriteBytes(install.File(L"ressrc\\chs\\upfeed.svr"), "[common]\r\ntryno=5\r\n"));
  product::ProductInfo info;
  info.hostType = 3;
  info.installationFolder = info.readerFolder = install.path() + L"\\";
  info.serverListFile = install.File(L"ressrc\\chs\\upfeed.svr");
  HelperLauncher launcher(product::HostSystem::Real(), info);
  const auto templates = product::PageTemplates::NewVipSdk(13);

  ASSERT_TRUE(launcher.OpenPage(templates, product::kPurchasePage, 6411, 0, L"selected_month_length=12"));
  ASSERT_TRUE(launcher.OpenPage(templates, product::kLoginPage, 6411, 0, L""));
  ASSERT_TRUE(launcher.OpenPage(product::PageTemplates::WystanVipSdk(13), product::kMainPage, 7, 3, L""));
  EXPECT_FALSE(launcher.OpenPage(templates, 9, 6411, 0, L""));
  const auto runs = WaitForJournal(Journal(L"vippage"), L"run", 3);
  ASSERT_EQ(runs.size(), 3u);
  std::vector<std::wstring> lines;
  for (const auto& run : runs) lines.push_back(run.at(L"command_line"));
  std::sort(lines.begin(), lines.end());
  const auto endsWith = [](const std::wstring& text, const std::wstring& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
  };
  EXPECT_TRUE(endsWith(lines[0], L"--open_web=charge_pdf --pid=13  --vipfrom=6411 --subpid=1 --fid=0 "
                                 L"-url=https://vip.wystan.example/5/pdf/?selected_month_length=12"))
      << lines[0];
  EXPECT_TRUE(endsWith(lines[1], L"--open_web=login --pid=13  --vipfrom=6411 --subpid=1 --fid=0")) << lines[1];
  EXPECT_TRUE(endsWith(lines[2], L"--open_web=main --pid=13 --url= --vipfrom=7 --subpid=1 --fid=3")) << lines[2];
}

TEST_F(HelperLaunch, RaisedRightsStartCarriesAnsiBytesInBase64) {
  TempDir reader;
  product::ProductInfo info;
  info.hostType = 3;
  info.readerFolder = reader.path() + L"\\";
  HelperLauncher launcher(product::HostSystem::Real(), info);
  const std::wstring program = reader.File(L"wystanvip.exe");
  ASSERT_TRUE(CopyFromTests(L"vippage.exe", program));
  const std::wstring argument = L"--open_web=login caf\u00e9";
  EXPECT_FALSE(launcher.StartWithRights(program, argument)) << "no helper in the reader folder";

  ASSERT_TRUE(CopyFromTests(L"quillhelper.exe", reader.File(L"quillhelper.exe")));
  ASSERT_TRUE(launcher.StartWithRights(program, argument));
  const auto admin = WaitForJournal(Journal(L"quillhelper"), L"admin", 1);
  ASSERT_EQ(admin.size(), 1u);
  EXPECT_EQ(admin[0].at(L"argument"), argument);
  EXPECT_EQ(admin[0].at(L"host_type"), L"3");
  const std::string ansi = qm::encoding::WideToMultiByte(argument, CP_THREAD_ACP);
  ASSERT_EQ(ansi.size(), argument.size()) << "one byte a character in the ANSI code page";
  const std::string base64 = qm::encoding::Base64Encode(ansi);
  const auto run = testing_support::ReadJournal(Journal(L"quillhelper"), L"run");
  EXPECT_NE(run.at(0).at(L"command_line").find(L"-param:\"<|b64|>" + std::wstring(base64.begin(), base64.end()) + L"\""),
            std::wstring::npos);
  const auto started = WaitForJournal(Journal(L"vippage"), L"run", 1);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_NE(started[0].at(L"command_line").find(L"caf\u00e9"), std::wstring::npos);
}
