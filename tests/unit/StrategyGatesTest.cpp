#include <gtest/gtest.h>

#include "FakeHostSystem.h"
#include "StrategyFakeWorld.h"
#include "strategy/AvoidTidsMatcher.h"
#include "strategy/InstallTimeSource.h"
#include "strategy/NewUserDiscountPopStrategy.h"
#include "strategy/PopGateCatalog.h"
#include "strategy/PopImageChecker.h"
#include "strategy/Win32PopStrategyWorld.h"
#include "vanta/IZVantaWarpper.h"

using strategy::AvoidTidsMatcher;
using strategy::PopGateCatalog;
using strategy::PopGateContext;
using strategy::PopImageChecker;
using strategy_test::FakePopWorld;
using strategy_test::LocalTime;
using strategy_test::Md5Of;

namespace {

bool Passes(const strategy::PopGate& gate, FakePopWorld& world, int scene = 1) {
  PopGateContext context{world, scene, world.Key()};
  return gate.Evaluate(context).passed;
}

}  // namespace

TEST(StrategyGates, InstallAgeCountsWholeLocalDaysStrictlyBelowTheSetting) {
  FakePopWorld world;
  world.now = LocalTime(2024, 5, 20, 0, 30);
  world.fields[L"new_install_days"] = L"3";
  world.installTime = static_cast<uint32_t>(LocalTime(2024, 5, 17, 23, 59));  // exactly 3 days before
  EXPECT_FALSE(Passes(PopGateCatalog::NewlyInstalled(), world));
  world.installTime = static_cast<uint32_t>(LocalTime(2024, 5, 18, 0, 0));
  EXPECT_TRUE(Passes(PopGateCatalog::NewlyInstalled(), world));
  world.fields.erase(L"new_install_days");  // default 1
  world.installTime = static_cast<uint32_t>(LocalTime(2024, 5, 19, 23, 59));  // yesterday
  EXPECT_FALSE(Passes(PopGateCatalog::NewlyInstalled(), world));
  world.installTime = static_cast<uint32_t>(LocalTime(2024, 5, 20, 0, 0));  // earlier today
  EXPECT_TRUE(Passes(PopGateCatalog::NewlyInstalled(), world));
  world.installTime = 0;  // unreadable: 1970, old
  EXPECT_FALSE(Passes(PopGateCatalog::NewlyInstalled(), world));
}

TEST(StrategyGates, OtherPopTodayFollowsTheLocalCalendarDay) {
  FakePopWorld world;
  world.now = LocalTime(2024, 5, 20, 23, 30);
  world.SetLoginRemindPopTime(LocalTime(2024, 5, 20, 0, 30));  // 23 hours earlier, same day
  EXPECT_FALSE(Passes(PopGateCatalog::OtherPopToday(), world));
  world.now = LocalTime(2024, 5, 21, 0, 1);
  world.SetLoginRemindPopTime(LocalTime(2024, 5, 20, 23, 59));  // yesterday 23:59
  EXPECT_TRUE(Passes(PopGateCatalog::OtherPopToday(), world));
  world.SetPdfPopTime(LocalTime(2024, 5, 21, 0, 0));
  EXPECT_FALSE(Passes(PopGateCatalog::OtherPopToday(), world));
  world.SetPdfPopTime(-5);  // garbage reads as no pop today
  world.WriteFile(world.LocalFolderPath() + L"config.ini", "[login_remind]\r\npop_time=not a time\r\n");
  EXPECT_TRUE(Passes(PopGateCatalog::OtherPopToday(), world));
}

TEST(StrategyGates, ShownBeforeReadsLastShowTimeAsAnInteger) {
  FakePopWorld world;
  EXPECT_TRUE(Passes(PopGateCatalog::ShownBefore(), world));  // no file
  world.SetLastShowTime("0");
  EXPECT_TRUE(Passes(PopGateCatalog::ShownBefore(), world));
  world.SetLastShowTime("abc");
  EXPECT_TRUE(Passes(PopGateCatalog::ShownBefore(), world));
  world.SetLastShowTime("-3");
  EXPECT_FALSE(Passes(PopGateCatalog::ShownBefore(), world));
  world.SetLastShowTime("1716200000");
  EXPECT_FALSE(Passes(PopGateCatalog::ShownBefore(), world));
}

TEST(StrategyGates, PopVersionAndGroupNeedExactValues) {
  FakePopWorld world;
  EXPECT_TRUE(Passes(PopGateCatalog::PopVersion(), world));  // default 1
  world.fields[L"pop_version"] = L"";                         // a JSON number reads as empty text: 0
  EXPECT_FALSE(Passes(PopGateCatalog::PopVersion(), world));
  world.group = 0;
  EXPECT_FALSE(Passes(PopGateCatalog::AbTest(), world));
  world.group = 2;
  EXPECT_TRUE(Passes(PopGateCatalog::AbTest(), world));
}

TEST(StrategyAvoidTids, EntriesAndPartsSkipEmptyPieces) {
  EXPECT_TRUE(AvoidTidsMatcher::Match(L"||1001--5|", 1001, 5));
  EXPECT_FALSE(AvoidTidsMatcher::Match(L"||1001--5|", 1001, 6));
  EXPECT_FALSE(AvoidTidsMatcher::Match(L"1001-5-7", 1001, 5));
  EXPECT_FALSE(AvoidTidsMatcher::Match(L"1001-5-7", 1001, 7));
  std::wstring entry;
  EXPECT_TRUE(AvoidTidsMatcher::Match(L"1001|2001-3", 1001, 99, &entry));
  EXPECT_EQ(entry, L"1001");
  EXPECT_TRUE(AvoidTidsMatcher::Match(L"1001|2001-3", 2001, 3, &entry));
  EXPECT_EQ(entry, L"2001-3");
  EXPECT_FALSE(AvoidTidsMatcher::Match(L"1001|2001-3", 2001, 4));
  EXPECT_FALSE(AvoidTidsMatcher::Match(L"", 0, 0));
  EXPECT_FALSE(AvoidTidsMatcher::Match(L"|||---|", 0, 0));
  EXPECT_FALSE(AvoidTidsMatcher::Match(L"10011", 1001, 1));
  // tids are compared as signed text; "-" always separates, so a negative tid never matches.
  EXPECT_FALSE(AvoidTidsMatcher::Match(L"-1", -1, 0));
  EXPECT_FALSE(AvoidTidsMatcher::Match(L"4294967295", -1, 0));
  EXPECT_TRUE(AvoidTidsMatcher::Match(L"7|1001-2002", 1001, 2002));
}

TEST(StrategyImages, EqualBackgroundAndCloseUrlsCompareOnlyTheCloseImage) {
  FakePopWorld world;
  const std::string close = "close image";
  world.WriteFile(world.UtilFolderPath() + strategy::kCloseImage, close);
  world.WriteFile(world.UtilFolderPath() + strategy::kBackgroundImage, "something else");
  const std::wstring url = L"https://img.example/a/" + Md5Of(close) + L".png";
  const auto checks = PopImageChecker::Check(url, url, world.fields[L"confirm_btn_url"], world.UtilFolderPath());
  ASSERT_EQ(checks.size(), 2u);
  EXPECT_TRUE(PopImageChecker::AllValid(checks));
  // The other way round: the close file is wrong, the background right.
  world.WriteFile(world.UtilFolderPath() + strategy::kBackgroundImage, close);
  world.WriteFile(world.UtilFolderPath() + strategy::kCloseImage, "something else");
  EXPECT_FALSE(PopImageChecker::AllValid(
      PopImageChecker::Check(url, url, world.fields[L"confirm_btn_url"], world.UtilFolderPath())));
}

TEST(StrategyImages, UpperCaseSegmentsUrlsWithoutDotsAndEmptyUrls) {
  FakePopWorld world;
  const std::string bytes = "image new_user_discount_background.png";
  std::wstring upper = Md5Of(bytes);
  for (wchar_t& c : upper) c = static_cast<wchar_t>(towupper(c));
  const std::wstring folder = world.UtilFolderPath();
  const std::wstring close = world.fields[L"close_btn_url"];
  const std::wstring confirm = world.fields[L"confirm_btn_url"];
  EXPECT_TRUE(PopImageChecker::AllValid(PopImageChecker::Check(L"http://x/" + upper + L".PNG", close, confirm, folder)));
  EXPECT_TRUE(PopImageChecker::AllValid(PopImageChecker::Check(L"http://x/" + Md5Of(bytes), close, confirm, folder)));
  EXPECT_FALSE(PopImageChecker::AllValid(PopImageChecker::Check(L"c:\\x\\" + Md5Of(bytes) + L".a.b", close, confirm, folder)));
  EXPECT_FALSE(PopImageChecker::AllValid(PopImageChecker::Check(L"", close, confirm, folder)));
  EXPECT_EQ(PopImageChecker::ExpectedName(L"http://h/p/abc.def.png"), L"abc.def");
  EXPECT_EQ(PopImageChecker::ExpectedName(L"http://h.example/p\\name"), L"name");
  EXPECT_EQ(PopImageChecker::ExpectedName(L"http://h.example/dir.v2/name"), L"name");
  // A missing file never validates, whatever its URL.
  DeleteFileW((folder + strategy::kConfirmImage).c_str());
  EXPECT_FALSE(PopImageChecker::AllValid(PopImageChecker::Check(world.fields[L"bg_url"], close, confirm, folder)));
}

TEST(StrategyInstallTime, SourcePerHostTypeAndExecutable) {
  const std::wstring channel = L"Software\\vendra\\Antivirus\\Channel";
  auto source = strategy::InstallTimeSource::For(1, channel, L"C:\\a\\InkVert.EXE");
  EXPECT_EQ(source.root, HKEY_LOCAL_MACHINE);
  EXPECT_EQ(source.path, channel + L"\\inkvt");
  EXPECT_EQ(source.value, L"first_open_time");
  source = strategy::InstallTimeSource::For(2, channel, L"C:\\a\\orbilant.exe");
  EXPECT_EQ(source.path, channel + L"\\inkread");
  for (int type : {3, 4, 5, 6, 7}) {
    source = strategy::InstallTimeSource::For(type, L"Software\\quillon", L"C:\\a\\inkvert.exe");
    EXPECT_EQ(source.root, HKEY_CURRENT_USER);
    EXPECT_EQ(source.path, L"Software\\quillon");
    EXPECT_EQ(source.value, L"installtime");
  }
}

namespace {

// The remote configuration is not read by these cases.
class NoVanta final : public vanta::IZVantaWarpper {
 public:
  int Initialize() override { return 0; }
  int Uninitialize() override { return 1; }
  bool GetSwitch(const std::wstring&, bool value) override { return value; }
  int GetABTestGroup(const std::wstring&, int group) override { return group; }
  bool GetRawConfig(const std::wstring&, std::wstring&) override { return false; }
  bool GetABTestParam(const std::wstring&, const wchar_t*, std::wstring&) override { return false; }
  bool Update() override { return false; }
  bool IsMethodSupported(const std::wstring&, const std::wstring&) override { return false; }
  vanta::IBaseInterface* GetComponent(const std::wstring&) override { return nullptr; }
  int GetConfigInt(const std::wstring&, const std::wstring&, int value) override { return value; }
  std::wstring& GetConfigString(std::wstring& text, const std::wstring&, const std::wstring&, const wchar_t* value) override {
    return text = value;
  }
};

}  // namespace

TEST(StrategyInstallTime, FourBytesWhateverTheTypeAndNothingLonger) {
  testing_support::FakeHostSystem system;
  system.executable = L"C:\\host\\inkvert.exe";
  product::ProductInfo info;
  info.hostType = 1;
  NoVanta vanta;
  strategy::Win32PopStrategyWorld world(system, info, vanta, [] { return 1; }, false);
  const std::wstring key = L"Software\\vendra\\Antivirus\\Channel\\inkvt";
  EXPECT_EQ(world.InstallTime().seconds, 0u);
  const uint32_t seconds = 1716200000;
  system.SetRaw(HKEY_LOCAL_MACHINE, key, L"first_open_time", REG_BINARY, &seconds, 4);
  EXPECT_EQ(world.InstallTime().seconds, seconds);
  const uint16_t shorter = 0x1234;
  system.SetRaw(HKEY_LOCAL_MACHINE, key, L"first_open_time", REG_SZ, &shorter, 2);
  EXPECT_EQ(world.InstallTime().seconds, 0x1234u);
  const uint64_t longer = 1716200000;
  system.SetRaw(HKEY_LOCAL_MACHINE, key, L"first_open_time", REG_QWORD, &longer, 8);
  EXPECT_EQ(world.InstallTime().seconds, 0u);
  // Host type 3 reads the channel key's "installtime" under HKEY_CURRENT_USER; the module folder
  // decides nothing here.
  info.hostType = 7;
  system.SetDword(HKEY_CURRENT_USER, L"Software\\fennick\\Channel", L"installtime", 77);
  EXPECT_EQ(world.InstallTime().seconds, 77u);
  EXPECT_TRUE(world.UtilFolder().empty());  // no product record: no folder
}
