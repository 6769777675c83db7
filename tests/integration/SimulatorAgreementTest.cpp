// The simulator's funnel for a population built from one real host against what the host's
// explainer says: each state of the host, mirrored in the population, stops at the same check.
#include <gtest/gtest.h>

#include <ctime>
#include <functional>

#include "../unit/SimulatorPopulations.h"
#include "StrategyHost.h"
#include "lint/CampaignItem.h"
#include "strategy/PopGateCatalog.h"

using namespace simulate_test;
using strategy_test::StrategyHost;

namespace {

struct HostState {
  const char* name;
  std::function<void(StrategyHost&)> arrange;
  Fields population;  // what differs from the host's passing state
};

const int64_t kNow = static_cast<int64_t>(std::time(nullptr));

// The passing state of the test host: type 3, installed a minute ago, tids 1001 and 2002,
// group 2, logged out, the pictures in place.
Fields HostPopulation() {
  Fields population = OpenPopulation();
  population["pictures_in_place"] = "1";
  return population;
}

// The first check that refused the one exit scene, or "" when the offer showed.
std::wstring SimulatedRefusal(const simulate::SimTally& tally) {
  const auto& gates = strategy::PopGateCatalog::CanShowGates();
  for (size_t i = 0; i < gates.size(); ++i) {
    if (tally.refusedAt[i]) return gates[i].name();
  }
  return L"";
}

int SimulatedRecord(const simulate::SimTally& tally) {
  for (size_t reason = 0; reason < tally.records.size(); ++reason) {
    if (tally.records[reason]) return static_cast<int>(reason);
  }
  return 0;
}

// One install for one day in the host's state, against the host's explainer.
void ExpectAgreement(StrategyHost& host, const HostState& state) {
  SCOPED_TRACE(state.name);
  host.WritePassingState();
  state.arrange(host);
  UxJsonEx::Document explained;
  int exitCode = -1;
  ASSERT_TRUE(host.Explain(1, explained, exitCode));
  campaign::CampaignItem item;
  std::wstring error;
  ASSERT_TRUE(campaign::CampaignItem::Load(host.RemoteConfigFile(), item, error));
  Fields population = HostPopulation();
  population["host_types"] = "{\"" + std::to_string(host.type()) + "\": 1}";
  for (const auto& [field, value] : state.population) population[field] = value;
  simulate::SimSettings settings = Settings(population, {}, 1, 1);
  settings.itemText = item.text();
  const simulate::SimTally tally = simulate::FleetSimulator::Run(settings);
  ASSERT_EQ(tally.exitScenes, 1u);
  EXPECT_EQ(SimulatedRefusal(tally), explained[L"refused_by"].AsString());
  EXPECT_EQ(SimulatedRecord(tally), explained[L"reason"].AsInt());
  EXPECT_EQ(tally.shows, exitCode == 0 ? 1u : 0u);
}

}  // namespace

// A host of type 1 asks the VIP centre for its price; with no service answering, both stop at
// the price and its record.
TEST(SimulatorAgreement, AType1HostWithoutAnAnswerStopsAtThePrice) {
  StrategyHost host;
  ASSERT_TRUE(host.Install(1));
  ExpectAgreement(host, {"no VIP centre", [](StrategyHost&) {}, {{"vip_centre_success", "0"}}});
}

TEST(SimulatorAgreement, TheDemoHostsStatesStopWhereTheExplainerSays) {
  StrategyHost host;
  ASSERT_TRUE(host.Install(3));
  const HostState states[] = {
      {"passing", [](StrategyHost&) {}, {}},
      {"old install",
       [](StrategyHost& h) { h.SetInstallTime(kNow - 3 * 86400); },
       {{"install_age_days", R"({"3": 1})"}}},
      {"group 1", [](StrategyHost& h) { h.WriteConfig("", 1); }, {{"ab_groups", R"({"1": 1})"}}},
      {"avoided tids", [](StrategyHost& h) { h.WriteConfig("\"avoid_tids\": \"||1001--2002|\"", 2); }, {}},
      {"spoiled picture",
       [](StrategyHost& h) { h.SpoilCloseImage(); },
       {{"pictures_in_place", "0"}, {"picture_download_success", "0"}}},
      {"other pop-up today", [](StrategyHost& h) { h.SetPdfPopTime(kNow); }, {{"other_pop_today", "1"}}},
      {"pop version", [](StrategyHost& h) { h.WriteConfig("\"pop_version\": 1", 2); }, {}},
      {"VIP", [](StrategyHost& h) { h.SetVip(true); }, {{"vip_states", R"({"3": 1})"}}},
  };
  for (const HostState& state : states) ExpectAgreement(host, state);
}
