#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ScopedLogLevel.h"
#include "StrategyFakeWorld.h"
#include "strategy/NewUserDiscountPopStrategy.h"
#include "strategy/PopExplainer.h"
#include "strategy/PopShownMemory.h"
#include "utils/FileUtil.h"
#include "utils/ZLogger.h"

using strategy::NewUserDiscountPopStrategy;
using strategy_test::FakePopWorld;
using strategy_test::LocalTime;

namespace {

// DEBUG lines for the whole process: the logger reads the level once, at its first line.
class DebugLogEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { level_ = std::make_unique<testing_support::ScopedLogLevel>(0); }
  void TearDown() override { level_.reset(); }

 private:
  std::unique_ptr<testing_support::ScopedLogLevel> level_;
};
const auto* const kDebugLog = ::testing::AddGlobalTestEnvironment(new DebugLogEnvironment());

size_t LogSize() { return qm::FileUtil::ReadAll(zlog::ZLogger::Instance().Path()).size(); }

// Records each report with how much of the log existed at that moment.
class RecordingReporter : public strategy::IPopReporter {
 public:
  struct Report {
    int reason;
    size_t logSize;
  };
  std::vector<Report> reports;
  void ReportNoShow(int reason) override { reports.push_back({reason, LogSize()}); }
};

struct Gate {
  const wchar_t* name;
  int reason;
  const char* log;
  bool reportFirst;
  std::function<void(FakePopWorld&, int& scene)> refuse;
};

const int64_t kNow = LocalTime(2024, 5, 20, 12);

// The checks in the order CanShow runs them, each with a way to make it refuse.
const std::vector<Gate>& Gates() {
  static const std::vector<Gate> gates = {
      {L"price", 8, "", true, [](FakePopWorld& w, int&) { w.price = {true, true, 79, 0, L"fake"}; }},
      {L"scene", 0, "Activity scene is not page view", false, [](FakePopWorld&, int& scene) { scene = 3; }},
      {L"vanta_enabled", 1, "Vanta not enable", false, [](FakePopWorld& w, int&) { w.raw.clear(); }},
      {L"newly_installed", 0, "Not new installed", false,
       [](FakePopWorld& w, int&) { w.installTime = static_cast<uint32_t>(LocalTime(2024, 5, 17, 12)); }},
      {L"shown_before", 4, "User has shown this pop before", true, [](FakePopWorld& w, int&) { w.SetLastShowTime("17"); }},
      {L"ab_test", 2, "AB test not passed", true, [](FakePopWorld& w, int&) { w.group = 1; }},
      {L"avoid_tids", 5, "Is need avoid tids", true, [](FakePopWorld& w, int&) { w.fields[L"avoid_tids"] = L"7|1001"; }},
      {L"images_valid", 6, "Image md5 not valid", true,
       [](FakePopWorld& w, int&) { w.WriteFile(w.UtilFolderPath() + strategy::kCloseImage, "other bytes"); }},
      {L"other_pop_today", 7, "Other pop has shown", true,
       [](FakePopWorld& w, int&) { w.SetPdfPopTime(LocalTime(2024, 5, 20, 1)); }},
      {L"pop_version", 9, "Pop version not valid", true, [](FakePopWorld& w, int&) { w.fields[L"pop_version"] = L"3"; }},
      {L"vip", 3, "User is vip", true, [](FakePopWorld& w, int&) { w.vipState = 3; }},
  };
  return gates;
}

std::string NewLog(size_t start) { return qm::FileUtil::ReadAll(zlog::ZLogger::Instance().Path()).substr(start); }

// The first refusing gate agrees between CanShow and the explainer.
void ExpectExplainerAgrees(FakePopWorld& world, int scene, bool canShow, const std::wstring& gate) {
  strategy::PopExplanation explanation;
  explanation.gates = NewUserDiscountPopStrategy(world, nullptr).Explain(scene);
  ASSERT_EQ(explanation.gates.size(), Gates().size());
  const auto* refusal = explanation.FirstRefusal();
  EXPECT_EQ(refusal == nullptr, canShow);
  if (refusal) {
    EXPECT_EQ(refusal->gate, gate);
  }
  EXPECT_EQ(explanation.ExitCode(), canShow ? 0 : 1);
}

}  // namespace

TEST(StrategyCanShow, EveryCheckPassingShowsWithoutRecord) {
  FakePopWorld world;
  RecordingReporter reporter;
  const size_t start = LogSize();
  EXPECT_TRUE(NewUserDiscountPopStrategy(world, &reporter).CanShow(1));
  EXPECT_TRUE(NewUserDiscountPopStrategy(world, &reporter).CanShow(2));
  EXPECT_TRUE(reporter.reports.empty());
  const std::string log = NewLog(start);
  EXPECT_LT(log.find("CanShow Start"), log.find("CanShow Finish"));
  EXPECT_NE(log.find("CanShow Finish"), std::string::npos);
  ExpectExplainerAgrees(world, 1, true, L"");
}

// Gate k refuses while every later gate would refuse too: the first one in order decides, with
// its record (or none) and its log line in the documented order.
TEST(StrategyCanShow, EachRefusalInOrderWithItsRecordAndLogLine) {
  for (size_t k = 0; k < Gates().size(); ++k) {
    SCOPED_TRACE(Gates()[k].name);
    FakePopWorld world;
    int scene = 1;
    for (size_t later = k; later < Gates().size(); ++later) Gates()[later].refuse(world, scene);
    RecordingReporter reporter;
    const size_t start = LogSize();
    EXPECT_FALSE(NewUserDiscountPopStrategy(world, &reporter).CanShow(scene));
    const std::string log = qm::FileUtil::ReadAll(zlog::ZLogger::Instance().Path());
    const size_t line = log.find(Gates()[k].log, start);
    ASSERT_NE(line, std::string::npos);
    EXPECT_EQ(log.find("CanShow Finish", start), std::string::npos);
    if (*Gates()[k].log == '\0') EXPECT_EQ(NewLog(start), "") << "refused before the checks start, silently";
    if (Gates()[k].reason == 0) {
      EXPECT_TRUE(reporter.reports.empty());
    } else {
      ASSERT_EQ(reporter.reports.size(), 1u);
      EXPECT_EQ(reporter.reports[0].reason, Gates()[k].reason);
      // reportFirst: the log did not yet hold the line when the record went out.
      EXPECT_EQ(reporter.reports[0].logSize <= line, Gates()[k].reportFirst);
    }
    ExpectExplainerAgrees(world, scene, false, Gates()[k].name);
  }
}

// Only gate k refuses.
TEST(StrategyCanShow, EachRefusalAloneAgreesWithTheExplainer) {
  for (size_t k = 0; k < Gates().size(); ++k) {
    SCOPED_TRACE(Gates()[k].name);
    FakePopWorld world;
    int scene = 1;
    Gates()[k].refuse(world, scene);
    RecordingReporter reporter;
    EXPECT_FALSE(NewUserDiscountPopStrategy(world, &reporter).CanShow(scene));
    EXPECT_EQ(reporter.reports.size(), Gates()[k].reason == 0 ? 0u : 1u);
    ExpectExplainerAgrees(world, scene, false, Gates()[k].name);
    const auto explanation = NewUserDiscountPopStrategy(world, nullptr).Explain(scene);
    for (size_t i = 0; i < explanation.size(); ++i) EXPECT_EQ(explanation[i].reached, i <= k) << i;
  }
}

TEST(StrategyCanShow, WrongSceneReadsNothingAndReportsNothing) {
  for (int scene : {0, 3, -1}) {
    FakePopWorld world;
    RecordingReporter reporter;
    EXPECT_FALSE(NewUserDiscountPopStrategy(world, &reporter).CanShow(scene));
    EXPECT_TRUE(reporter.reports.empty());
    EXPECT_EQ(world.ReadsBesides(L"tryno"), 0);
  }
}

TEST(StrategyCanShow, EmptyConfigurationReportsOneAndReadsNothingElse) {
  FakePopWorld world;
  world.raw.clear();
  RecordingReporter reporter;
  EXPECT_FALSE(NewUserDiscountPopStrategy(world, &reporter).CanShow(1));
  ASSERT_EQ(reporter.reports.size(), 1u);
  EXPECT_EQ(reporter.reports[0].reason, 1);
  EXPECT_EQ(world.ReadsBesides(L"tryno"), 1);  // the raw item only
}

TEST(StrategyCanShow, VipIsAskedOnlyAfterEveryOtherCheckPassed) {
  for (size_t k = 0; k + 1 < Gates().size(); ++k) {
    FakePopWorld world;
    world.vipState = 3;
    int scene = 1;
    Gates()[k].refuse(world, scene);
    RecordingReporter reporter;
    NewUserDiscountPopStrategy(world, &reporter).CanShow(scene);
    EXPECT_EQ(world.reads[L"vip"], 0) << Gates()[k].name;
  }
  FakePopWorld world;
  world.vipState = 3;
  RecordingReporter reporter;
  EXPECT_FALSE(NewUserDiscountPopStrategy(world, &reporter).CanShow(1));
  ASSERT_EQ(reporter.reports.size(), 1u);
  EXPECT_EQ(reporter.reports[0].reason, 3);
}

// A show whose record could not be written still counts in this process; once the state file
// changes (a person takes the record back), the file decides again.
TEST(StrategyCanShow, ShowWithoutRecordCountsUntilTheStateFileChanges) {
  FakePopWorld world;
  world.SetLastShowTime("0");
  const std::wstring stateFile = world.UtilFolderPath() + strategy::kStateFile;
  FakePopWorld other;  // another state file is not this show's
  strategy::PopShownMemory::MarkShown(stateFile);
  RecordingReporter reporter;
  EXPECT_FALSE(NewUserDiscountPopStrategy(world, &reporter).CanShow(1));
  ASSERT_EQ(reporter.reports.size(), 1u);
  EXPECT_EQ(reporter.reports[0].reason, 4);
  EXPECT_FALSE(NewUserDiscountPopStrategy(world, nullptr).IsNeedUpdateSource());
  EXPECT_TRUE(NewUserDiscountPopStrategy(other, nullptr).CanShow(1));
  Sleep(20);  // a later write time than the show's
  world.SetLastShowTime("0");
  EXPECT_TRUE(NewUserDiscountPopStrategy(world, &reporter).CanShow(1));
  EXPECT_EQ(reporter.reports.size(), 1u);
}

TEST(StrategyCanShow, ConfigKeyCarriesTheTryNumber) {
  EXPECT_EQ(NewUserDiscountPopStrategy::ConfigKey(5), L"new_user_discount_5");
  EXPECT_EQ(NewUserDiscountPopStrategy::ConfigKey(-1), L"new_user_discount_-1");
}

TEST(StrategyUpdateSource, AsksShownBeforeInstallAgeAndOtherPopsWithoutReports) {
  FakePopWorld world;
  RecordingReporter reporter;
  NewUserDiscountPopStrategy strategy(world, &reporter);
  EXPECT_TRUE(strategy.IsNeedUpdateSource());
  world.group = 0;  // not asked here
  world.raw.clear();
  world.fields.clear();
  EXPECT_TRUE(strategy.IsNeedUpdateSource());
  world.SetPdfPopTime(kNow - 60);
  size_t start = LogSize();
  EXPECT_FALSE(strategy.IsNeedUpdateSource());
  EXPECT_NE(NewLog(start).find("Other pop has shown"), std::string::npos);
  world.installTime = static_cast<uint32_t>(LocalTime(2024, 5, 1));
  start = LogSize();
  EXPECT_FALSE(strategy.IsNeedUpdateSource());
  EXPECT_NE(NewLog(start).find("Not new installed"), std::string::npos);
  world.SetLastShowTime("1716200000");
  start = LogSize();
  EXPECT_FALSE(strategy.IsNeedUpdateSource());
  const std::string log = NewLog(start);
  EXPECT_NE(log.find("User has shown this pop before"), std::string::npos);
  EXPECT_EQ(log.find("Not new installed"), std::string::npos);
  EXPECT_TRUE(reporter.reports.empty());
}
