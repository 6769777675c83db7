// The strategy inside simulated hosts of types 1 (Tessik reporting client), 2 and 3 (the VIP
// SDK's reporting interface): one scenario per refusal, each with exactly its record and its log
// line, and the demo host's explainer naming the same check.
#include <gtest/gtest.h>

#include <ctime>
#include <functional>

#include "ScopedLogLevel.h"
#include "StrategyHost.h"
#include "product/HostProfile.h"

using strategy_test::ProbeResult;
using strategy_test::StrategyHost;

namespace {

struct Scenario {
  const char* gate;
  int reason;  // 0: refused without a record; -1: the offer may show
  const char* log;
  std::function<void(StrategyHost&)> arrange;
  int scene = 1;
};

const int64_t kNow = static_cast<int64_t>(std::time(nullptr));

std::vector<Scenario> Scenarios(int type) {
  std::vector<Scenario> scenarios = {
      {"", -1, "CanShow Finish", [](StrategyHost&) {}},
      {"scene", 0, "Activity scene is not page view", [](StrategyHost&) {}, 3},
      {"vanta_enabled", 1, "Vanta not enable", [](StrategyHost& h) { h.WriteConfig("", 2, false); }},
      {"newly_installed", 0, "Not new installed", [](StrategyHost& h) { h.SetInstallTime(kNow - 3 * 86400); }},
      {"shown_before", 4, "User has shown this pop before", [](StrategyHost& h) { h.SetLastShowTime("1716200000"); }},
      {"ab_test", 2, "AB test not passed", [](StrategyHost& h) { h.WriteConfig("", 1); }},
      {"avoid_tids", 5, "Is need avoid tids", [](StrategyHost& h) { h.WriteConfig("\"avoid_tids\": \"||1001--2002|\"", 2); }},
      {"images_valid", 6, "Image md5 not valid", [](StrategyHost& h) { h.SpoilCloseImage(); }},
      {"other_pop_today", 7, "Other pop has shown", [](StrategyHost& h) { h.SetPdfPopTime(kNow); }},
      {"pop_version", 9, "Pop version not valid", [](StrategyHost& h) { h.WriteConfig("\"pop_version\": 1", 2); }},
  };
  if (product::HostProfile::Of(type).HasPrice()) {
    scenarios.insert(scenarios.begin() + 1, {"price", 8, "", [](StrategyHost& h) { h.WithoutPrice(); }});
  }
  // The Tessik host's VIP state comes from its own service, not from the SDK.
  if (type != 1) scenarios.push_back({"vip", 3, "User is vip", [](StrategyHost& h) { h.SetVip(true); }});
  return scenarios;
}

// The first refusing check besides the price, by name.
std::wstring FirstRefusalBesidesPrice(UxJsonEx::Document& explained) {
  auto gates = explained[L"gates"];
  for (size_t i = 0; i < gates.Size(); ++i) {
    auto gate = gates[static_cast<int>(i)];
    if (gate[L"gate"].AsString() != L"price" && !gate[L"passes"].AsBool()) return gate[L"gate"].AsString();
  }
  return L"";
}

void RunScenarios(int type) {
  testing_support::ScopedLogLevel debug(0);
  StrategyHost host;
  ASSERT_TRUE(host.Install(type));
  for (const Scenario& scenario : Scenarios(type)) {
    SCOPED_TRACE(scenario.log);
    host.WritePassingState();
    scenario.arrange(host);
    const ProbeResult result = host.Probe(scenario.scene);
    ASSERT_TRUE(result.ran);
    EXPECT_EQ(result.canShow, scenario.reason == -1);
    EXPECT_NE(result.log.find(scenario.log), std::string::npos) << result.log;
    if (scenario.reason > 0) {
      ASSERT_EQ(result.records.size(), 1u);
      EXPECT_EQ(result.records[0].at(L"schema"),
                L"tessik_pdfnewuser_pop:9083 adshow:byte adclick:byte noshowreason:int ver:byte adtype:byte");
      EXPECT_EQ(result.records[0].at(L"fields"), L"adshow:byte=0 adclick:byte=0 noshowreason:int=" +
                                                     std::to_wstring(scenario.reason) + L" ver:byte=1 adtype:byte=1");
      EXPECT_EQ(result.records[0].at(L"via"), L"submit");
    } else {
      EXPECT_TRUE(result.records.empty());
    }
    UxJsonEx::Document explained;
    int exitCode = -1;
    ASSERT_TRUE(host.Explain(scenario.scene, explained, exitCode));
    const std::wstring gate(scenario.gate, scenario.gate + strlen(scenario.gate));
    // No VIP centre serves these hosts: the explainer, asking for the price itself, gets none.
    const bool priced = product::HostProfile::Of(type).HasPrice();
    EXPECT_EQ(exitCode, scenario.reason == -1 && !priced ? 0 : 1);
    EXPECT_EQ(explained[L"refused_by"].AsString(), priced ? L"price" : gate);
    EXPECT_EQ(explained[L"reason"].AsInt(), priced ? 8 : scenario.reason > 0 ? scenario.reason : 0);
    EXPECT_EQ(FirstRefusalBesidesPrice(explained), gate == L"price" ? L"" : gate);
    EXPECT_EQ(explained[L"host_type"].AsInt(), type);
    EXPECT_EQ(explained[L"gates"].Size(), 11u);
  }
  // The explainer wrote nothing into the host's journal of records.
  host.WritePassingState();
  host.SetLastShowTime("5");
  UxJsonEx::Document explained;
  int exitCode = -1;
  DeleteFileW(host.Journal().c_str());
  ASSERT_TRUE(host.Explain(1, explained, exitCode));
  EXPECT_EQ(exitCode, 1);
  EXPECT_TRUE(testing_support::ReadJournal(host.Journal(), L"record").empty());
}

}  // namespace

TEST(StrategyHost, Type1TessikReportingClient) { RunScenarios(1); }
TEST(StrategyHost, Type2VipSdkReporting) { RunScenarios(2); }
TEST(StrategyHost, Type3VipSdkReporting) { RunScenarios(3); }

// The same already shown VIP host listed and not listed in qa_uuids: the listed one may
// show without a record, the other is refused as usual; the explainer tells the two apart.
TEST(StrategyHost, Type3QaMachineListedOrNot) {
  testing_support::ScopedLogLevel debug(0);
  StrategyHost host;
  ASSERT_TRUE(host.Install(3));
  for (const bool listed : {false, true}) {
    SCOPED_TRACE(listed ? "listed" : "unlisted");
    host.WritePassingState();
    const std::string uuids = listed ? std::string("bad|") + StrategyHost::kMachineUuid : "bad";
    host.WriteConfig("\"qa_uuids\": \"" + uuids + "\"", 2);
    host.SetLastShowTime("1716200000");
    host.SetVip(true);
    const ProbeResult result = host.Probe(1);
    ASSERT_TRUE(result.ran);
    EXPECT_EQ(result.canShow, listed);
    ASSERT_EQ(result.records.size(), listed ? 0u : 1u);
    if (!listed) EXPECT_NE(result.records[0].at(L"fields").find(L"noshowreason:int=4 "), std::wstring::npos);
    EXPECT_NE(result.log.find(listed ? "QA machine: passed over shown_before" : "User has shown this pop before"),
              std::string::npos) << result.log;
    UxJsonEx::Document explained;
    int exitCode = -1;
    ASSERT_TRUE(host.Explain(1, explained, exitCode));
    EXPECT_EQ(exitCode, listed ? 0 : 1);
    EXPECT_EQ(explained[L"qa"].AsBool(), listed);
    auto shownBefore = explained[L"gates"][4];
    EXPECT_EQ(shownBefore[L"gate"].AsString(), L"shown_before");
    EXPECT_EQ(shownBefore[L"verdict"].AsString(), L"fail");
    EXPECT_EQ(shownBefore[L"passed_over"].AsBool(), listed);
  }
}
