// The QA override: a machine listed in the item's qa_uuids passes over the audience checks, and
// only those, without records; an unlisted machine is refused as before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StrategyFakeWorld.h"
#include "strategy/NewUserDiscountPopStrategy.h"
#include "strategy/PopExplainer.h"
#include "strategy/QaMachineList.h"
#include "utils/FileUtil.h"
#include "utils/Log.h"
#include "utils/ZLogger.h"

using strategy::NewUserDiscountPopStrategy;
using strategy::QaMachineList;
using strategy_test::FakePopWorld;
using strategy_test::LocalTime;

namespace {

class Reasons : public strategy::IPopReporter {
 public:
  std::vector<int> sent;
  void ReportNoShow(int reason) override { sent.push_back(reason); }
};

std::string Log() { return qm::FileUtil::ReadAll(zlog::ZLogger::Instance().Path()); }

// Where the next lines start; the process's first line may start a new log file.
size_t LogMark() {
  ZLOG(DEBUG) << L"-- mark --";
  return Log().size();
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// An old install that saw the offer, in the wrong A/B group, an avoided product, another pop-up
// today, and a VIP: every audience check refuses.
void RefuseEveryAudienceCheck(FakePopWorld& world) {
  world.installTime = static_cast<uint32_t>(LocalTime(2023, 1, 1));
  world.SetLastShowTime("1716200000");
  world.group = 1;
  world.fields[L"avoid_tids"] = L"1001";
  world.SetPdfPopTime(world.now - 60);
  world.vipState = 3;
}

// The item's text carries the list; the strategy reads it from there.
void SetQaUuids(FakePopWorld& world, const std::wstring& uuids) {
  world.raw = L"{\"pop_version\":\"1\",\"qa_uuids\":\"" + uuids + L"\"}";
  world.fields[L"qa_uuids"] = uuids;
}

const wchar_t kListed[] = L"fedcba98-7654-3210-fedc-ba9876543210|{01234567-89ab-cdef-0123-456789abcdef}";

}  // namespace

TEST(StrategyQa, UuidFormsAndMalformedEntries) {
  EXPECT_EQ(QaMachineList::Canonical(L" {01234567-89ab-cdef-0123-456789ABCDEF} "), L"0123456789ABCDEF0123456789ABCDEF");
  EXPECT_EQ(QaMachineList::Canonical(L"0123456789abcdef0123456789abcdef"), L"0123456789ABCDEF0123456789ABCDEF");
  for (const wchar_t* bad : {L"0123456789abcdef0123456789abcde", L"0123456789abcdef0123456789abcdeg",
                             L"01-23456789abcdef0123456789abcdef", L"", L"{0123456789abcdef0123456789abcdef"}) {
    EXPECT_EQ(QaMachineList::Canonical(bad), L"") << bad;
  }
  const QaMachineList list = QaMachineList::Parse(L"|not a uuid||0123456789abcdef0123456789abcdef| |x|");
  EXPECT_EQ(list.uuids().size(), 1u);
  EXPECT_EQ(list.malformed(), (std::vector<std::wstring>{L"not a uuid", L"x"}));
  EXPECT_TRUE(list.Lists(L"0123456789ABCDEF0123456789ABCDEF"));
  EXPECT_FALSE(list.Lists(L""));
  EXPECT_FALSE(QaMachineList::Parse(L"").Lists(L"0123456789ABCDEF0123456789ABCDEF"));
}

TEST(StrategyQa, ListedMachinePassesOverTheAudienceWithoutRecords) {
  for (const bool listed : {false, true}) {
    SCOPED_TRACE(listed ? "listed" : "unlisted");
    FakePopWorld world;
    RefuseEveryAudienceCheck(world);
    SetQaUuids(world, listed ? kListed : L"FEDCBA9876543210FEDCBA9876543210");
    Reasons reporter;
    const size_t start = LogMark();
    const strategy::PopDecision decision = NewUserDiscountPopStrategy(world, &reporter).Decide(1);
    const std::string log = Log().substr(start);
    EXPECT_EQ(decision.show, listed);
    EXPECT_EQ(decision.qa, listed);
    EXPECT_TRUE(reporter.sent.empty());  // newly_installed refuses the unlisted one without a record
    EXPECT_EQ(Count(log, "QA machine: passed over"), listed ? 6u : 0u) << log;
    EXPECT_EQ(Count(log, "User has shown this pop before\" (reason 4)"), listed ? 1u : 0u);
    EXPECT_EQ(Count(log, "CanShow Finish"), listed ? 1u : 0u);
    EXPECT_EQ(Count(log, "Not new installed"), 1u);
    EXPECT_EQ(world.reads[L"uuid"], 1);

    // The refresh keeps the offer's price and pictures fresh on a QA machine too.
    EXPECT_EQ(NewUserDiscountPopStrategy(world, nullptr).IsNeedUpdateSource(), listed);

    strategy::PopExplanation explanation;
    explanation.gates = NewUserDiscountPopStrategy(world, nullptr).Explain(1);
    explanation.qa = listed;
    explanation.machineUuid = world.uuid;
    EXPECT_EQ(explanation.ExitCode(), listed ? 0 : 1);
    const std::wstring text = strategy::PopExplainer::FormatText(explanation);
    EXPECT_EQ(text.find(L"5. shown_before: fail (reason 4), passed over (QA)") != std::wstring::npos, listed) << text;
    EXPECT_EQ(text.find(L"result: the offer may show (QA)") != std::wstring::npos, listed);
  }
}

// What could not be drawn truthfully still refuses a listed machine, and sends nothing once the
// machine is known to be listed.
TEST(StrategyQa, ListedMachineIsStillRefusedWhatCannotBeDrawn) {
  struct Case {
    const char* log;
    int scene;
    void (*spoil)(FakePopWorld&);
    std::vector<int> records;
  };
  const Case cases[] = {
      {"Activity scene is not page view", 3, [](FakePopWorld&) {}, {}},
      {"Image md5 not valid", 1, [](FakePopWorld& w) { w.WriteFile(w.UtilFolderPath() + strategy::kCloseImage, "x"); }, {}},
      {"Pop version not valid", 1, [](FakePopWorld& w) { w.fields[L"pop_version"] = L"2"; }, {}},
      // Before the item is read: the price refusal is the same on every machine.
      {"", 1, [](FakePopWorld& w) { w.price = {true, false, 0, 0, L"fake"}; }, {8}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.log);
    FakePopWorld world;
    RefuseEveryAudienceCheck(world);
    SetQaUuids(world, kListed);
    c.spoil(world);
    Reasons reporter;
    const size_t start = LogMark();
    EXPECT_FALSE(NewUserDiscountPopStrategy(world, &reporter).CanShow(c.scene));
    EXPECT_NE(Log().find(c.log, start), std::string::npos);
    EXPECT_EQ(reporter.sent, c.records);
  }
}

TEST(StrategyQa, MalformedEntriesAreIgnoredWithAWarningEachOnce) {
  FakePopWorld world;
  world.SetLastShowTime("1716200000");
  SetQaUuids(world, L"0123-4567|not-a-uuid");  // not in the uuid's form
  Reasons reporter;
  const size_t start = LogMark();
  EXPECT_FALSE(NewUserDiscountPopStrategy(world, &reporter).CanShow(1));
  const std::string log = Log().substr(start);
  EXPECT_EQ(reporter.sent, std::vector<int>{4});
  EXPECT_EQ(Count(log, "is not a machine uuid, ignored"), 2u) << log;
  EXPECT_EQ(Count(log, "QA machine"), 0u);
  EXPECT_EQ(world.reads[L"uuid"], 0);  // nothing valid to compare with
  const size_t again = LogMark();
  EXPECT_FALSE(NewUserDiscountPopStrategy(world, &reporter).CanShow(1));
  EXPECT_EQ(Count(Log().substr(again), "is not a machine uuid"), 0u) << "the same list warns once";
}
