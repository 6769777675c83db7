// The fleet simulator over populations whose outcome can be worked out by hand: the module's
// gates decide, the simulator only moves the clocks and keeps the files.
#include <gtest/gtest.h>

#include <algorithm>

#include "SimulatorPopulations.h"
#include "simulate/SimLoad.h"
#include "simulate/SimReport.h"
#include "strategy/PopGateCatalog.h"

using namespace simulate_test;
using simulate::FleetSimulator;
using simulate::SimTally;

namespace {

size_t GateIndex(const std::wstring& name) {
  const auto& gates = strategy::PopGateCatalog::CanShowGates();
  for (size_t i = 0; i < gates.size(); ++i) {
    if (gates[i].name() == name) return i;
  }
  ADD_FAILURE() << "no gate";
  return 0;
}

uint64_t RecordsBesides(const SimTally& tally, size_t reason) {
  uint64_t count = 0;
  for (size_t i = 0; i < tally.records.size(); ++i) count += i == reason ? 0 : tally.records[i];
  return count;
}

}  // namespace

// Every gate open: each install sees the offer at its first exit scene. Later exit scenes are
// refused as shown before, except on hosts with a price: with the offer shown nothing is
// refreshed, and the price check, which comes first, refuses.
TEST(Simulator, EveryGateOpenShowsEveryInstallOnItsFirstDay) {
  Fields population = OpenPopulation();
  population["host_types"] = R"({"1": 1, "2": 1, "3": 1, "4": 1, "5": 1, "6": 1, "7": 1})";
  const SimTally tally = FleetSimulator::Run(Settings(population, OpenItem(), 700, 3));
  EXPECT_EQ(tally.installs, 700u);
  EXPECT_EQ(tally.showsPerDay[0], 700u);
  EXPECT_EQ(tally.shows, 700u);
  EXPECT_EQ(tally.installsShown, 700u);
  EXPECT_EQ(tally.exitScenes, 3 * 700u);
  const uint64_t priced = tally.refusedAt[GateIndex(L"price")];
  EXPECT_GT(priced, 0u);
  EXPECT_EQ(tally.refusedAt[GateIndex(L"shown_before")] + priced, 2 * 700u);
  EXPECT_EQ(tally.records[4], 2 * 700u - priced);
  EXPECT_EQ(tally.records[8], priced);
}

// Each gate closed alone refuses every exit scene, with the record its refusal carries.
TEST(Simulator, EachGateClosedAloneRefusesEveryoneWithItsReason) {
  struct Case {
    const char* field;
    const char* value;
    bool inItem;
    const wchar_t* gate;
    size_t reason;  // 0: no record
  };
  const Case cases[] = {
      {"install_age_days", R"({"30": 1})", false, L"newly_installed", 0},
      {"ab_groups", R"({"1": 1})", false, L"ab_test", 2},
      {"vip_states", R"({"3": 1})", false, L"vip", 3},
      {"avoid_tids", R"("7|1001-2002")", true, L"avoid_tids", 5},
      {"picture_download_success", "0", false, L"images_valid", 6},
      {"other_pop_today", "1", false, L"other_pop_today", 7},
      {"pop_version", R"("2")", true, L"pop_version", 9},
      {"vip_centre_success", "0", false, L"price", 8},
  };
  {
    SCOPED_TRACE("no item");
    simulate::SimSettings settings = Settings(OpenPopulation(), {}, 50, 1);
    settings.itemText.clear();
    const SimTally tally = FleetSimulator::Run(settings);
    EXPECT_EQ(tally.refusedAt[GateIndex(L"vanta_enabled")], 50u);
    EXPECT_EQ(tally.records[1], 50u);
  }
  for (const Case& closed : cases) {
    SCOPED_TRACE(closed.field);
    Fields population = OpenPopulation(), item = OpenItem();
    // The price check comes first: only hosts without a price show the others alone.
    population["host_types"] =
        closed.reason == 8 ? R"({"1": 1, "2": 1})" : R"({"3": 1, "4": 1, "5": 1, "6": 1, "7": 1})";
    // No refresh fetches the pictures on a day another pop-up showed: they are there from before.
    if (closed.reason != 6) population["pictures_in_place"] = "1";
    (closed.inItem ? item : population)[closed.field] = closed.value;
    const SimTally tally = FleetSimulator::Run(Settings(population, item, 200, 1));
    EXPECT_EQ(tally.exitScenes, 200u);
    EXPECT_EQ(tally.shows, 0u);
    EXPECT_EQ(tally.refusedAt[GateIndex(closed.gate)], 200u);
    EXPECT_EQ(tally.records[closed.reason], closed.reason ? 200u : 0u);
    EXPECT_EQ(RecordsBesides(tally, closed.reason), 0u);
  }
}

// The same seed gives the same report whatever the threads; another seed another fleet.
TEST(Simulator, ASeedGivesTheSameReportWhateverTheThreads) {
  Fields population = OpenPopulation();
  population["host_types"] = R"({"1": 3, "3": 5, "6": 2})";
  population["install_age_days"] = R"({"-3--1": 2, "0-4": 3, "5-400": 5})";
  population["ab_groups"] = R"({"1": 1, "2": 1})";
  population["sessions_per_day"] = R"({"0": 2, "1-3": 3})";
  population["session_minutes"] = R"({"1-300": 1})";
  population["launch_hour"] = R"({"0-23": 1})";
  population["time_zones"] = R"({"-5": 1, "8": 3})";
  population["other_pop_today"] = "0.1";
  population["picture_download_success"] = "0.7";
  population["vip_centre_success"] = "0.8";
  Fields item = OpenItem();
  item["update_vanta_minutes"] = R"("45")";
  simulate::SimSettings settings = Settings(population, item, 3000, 6);
  const auto report = [&settings](int threads, uint64_t seed) {
    settings.threads = threads;
    settings.seed = seed;
    return simulate::SimReport::Json(settings, 1000000, {{L"item", FleetSimulator::Run(settings)}});
  };
  const std::string once = report(1, 7);
  EXPECT_EQ(report(3, 7), once);
  EXPECT_NE(report(2, 8), once);
  EXPECT_NE(once.find("\"shown\": "), std::string::npos);
}

// Ten type-1 installs, one hour-long session a day launched between 10:00 and 11:00, refreshed
// every 30 minutes: on the first day two refreshes each ask for the show ids once and for the
// normal and the coupon price, and the first fetches the three pictures; after the show the
// check finds nothing to refresh. 9 requests an install, in the launch hour and the next.
TEST(Simulator, LoadEqualsAHandCount) {
  Fields population = OpenPopulation();
  population["host_types"] = R"({"1": 1})";
  Fields item = OpenItem();
  item["update_vanta_minutes"] = R"("30")";
  const uint64_t perInstall[] = {2, 4, 3};
  for (const int zone : {0, 8}) {
    SCOPED_TRACE(zone);
    population["time_zones"] = "{\"" + std::to_string(zone) + "\": 1}";
    const SimTally tally = FleetSimulator::Run(Settings(population, item, 10, 2));
    ASSERT_EQ(tally.shows, 10u);
    EXPECT_EQ(tally.refreshChecks, 40u);
    EXPECT_EQ(tally.refreshes, 20u);
    const simulate::SimLoad load = simulate::SimLoad::Of(tally, 1000, 2);          // each install stands for 100
    const size_t launch = static_cast<size_t>(24 + 10 - zone), next = launch + 1;  // the first day's hours
    uint64_t inLaunch = 0, inNext = 0;
    for (int kind = 0; kind < simulate::kRequestKinds; ++kind) {
      EXPECT_DOUBLE_EQ(load.mean[kind], perInstall[kind] * 1000 / (2 * 86400.0));
      EXPECT_EQ(tally.requests[launch][kind] + tally.requests[next][kind], perInstall[kind] * 10);
      inLaunch += tally.requests[launch][kind];
      inNext += tally.requests[next][kind];
    }
    EXPECT_EQ(load.peakDay, 1);
    EXPECT_EQ(static_cast<size_t>(load.peakUtcHour), (inLaunch >= inNext ? launch : next) % 24);
    EXPECT_DOUBLE_EQ(simulate::SimLoad::Sum(load.atPeak), std::max(inLaunch, inNext) * 100 / 3600.0);
  }
  // Launched at 02:00 eight hours east of UTC, with one refresh a session: the first local day's
  // 6 requests an install leave at 18:00 UTC on the day before the run, and are counted there.
  item["update_vanta_minutes"] = R"("0")";
  population["launch_hour"] = R"({"2": 1})";
  const SimTally tally = FleetSimulator::Run(Settings(population, item, 10, 2));
  const simulate::SimLoad load = simulate::SimLoad::Of(tally, 1000, 2);
  EXPECT_EQ(load.peakDay, 0);
  EXPECT_EQ(load.peakUtcHour, 18);
  EXPECT_DOUBLE_EQ(simulate::SimLoad::Sum(load.atPeak), 6 * 1000 / 3600.0);
}

TEST(Simulator, APopulationWithAFaultIsRefusedWithItsField) {
  simulate::SimPopulation population;
  std::wstring error;
  Fields fields = OpenPopulation();
  fields["launch_hour"] = R"({"24": 1})";
  EXPECT_FALSE(simulate::SimPopulation::Load(Wide(Object(fields)), population, error));
  EXPECT_NE(error.find(L"\"launch_hour\""), std::wstring::npos) << error;
  fields = OpenPopulation();
  fields.erase("vip_states");
  EXPECT_FALSE(simulate::SimPopulation::Load(Wide(Object(fields)), population, error));
  EXPECT_NE(error.find(L"\"vip_states\" is missing"), std::wstring::npos) << error;
  fields = OpenPopulation();
  fields["other_pop_today"] = "1.5";
  EXPECT_FALSE(simulate::SimPopulation::Load(Wide(Object(fields)), population, error));
  EXPECT_FALSE(simulate::SimPopulation::Load(L"{\"host_types\": {\"1\": 1,}", population, error));
  EXPECT_NE(error.find(L"at byte"), std::wstring::npos) << error;
}
