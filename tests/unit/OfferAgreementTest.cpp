// The linter and the module's checks read the same offer: over the same items, every check the
// linter says would refuse does refuse, and the first refusal the linter names is the module's.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>

#include "StrategyFakeWorld.h"
#include "lint/CampaignItem.h"
#include "lint/CampaignLinter.h"
#include "strategy/NewUserDiscountPopStrategy.h"
#include "strategy/PopGateCatalog.h"
#include "vanta/OfferFields.h"

namespace {

using Fields = std::map<std::wstring, std::wstring>;  // name -> JSON value as written

std::wstring ItemText(const Fields& fields) {
  std::wstring text = L"{";
  for (const auto& [name, value] : fields) text += (text.size() > 1 ? L"," : L"") + (L"\"" + name + L"\":" + value);
  return text + L"}";
}

// The checks the linter predicts to refuse: those whose log text an error quotes.
std::vector<std::wstring> PredictedRefusals(const campaign::CampaignItem& item) {
  std::vector<std::wstring> gates;
  const auto findings = campaign::CampaignLinter().Lint(item);
  for (const strategy::PopGate& gate : strategy::PopGateCatalog::CanShowGates()) {
    if (gate.refusalLog().empty()) continue;
    for (const campaign::LintFinding& finding : findings) {
      const bool quotes = finding.message.find(L"\"" + gate.refusalLog() + L"\"") != std::wstring::npos;
      if (finding.severity == campaign::LintFinding::Severity::kError && quotes) {
        gates.push_back(gate.name());
        break;
      }
    }
  }
  return gates;
}

// The checks that refuse, in order, in a world whose item is the given text, read as the module
// reads it (text values only; anything else reads as empty text).
std::vector<std::wstring> ActualRefusals(const std::wstring& text) {
  strategy_test::FakePopWorld world;
  world.raw = text;
  world.fields.clear();
  const campaign::CampaignItem item(text);
  for (const vanta::OfferField& field : vanta::offer::kAll) {
    if (item.MemberKind(field.name) != qm::json::Kind::Invalid) world.fields[field.name] = item.String(field.name, L"");
  }
  std::vector<std::wstring> gates;
  for (const auto& gate : strategy::NewUserDiscountPopStrategy(world, nullptr).Explain(1)) {
    if (!gate.verdict.passed) gates.push_back(gate.gate);
  }
  return gates;
}

}  // namespace

TEST(OfferAgreement, LinterAndChecksAgreeOnTheSameItems) {
  strategy_test::FakePopWorld placed;  // its pictures' URLs name their MD5
  Fields valid = {{L"pop_version", L"\"1\""}};
  for (const vanta::OfferField& field : vanta::offer::kPictures) valid[field.name] = L"\"" + placed.fields[field.name] + L"\"";
  const std::pair<const wchar_t*, std::function<void(Fields&)>> cases[] = {
      {L"valid", [](Fields&) {}},
      {L"pop_version 3", [](Fields& f) { f[L"pop_version"] = L"\"3\""; }},
      {L"pop_version as a number", [](Fields& f) { f[L"pop_version"] = L"1"; }},
      {L"new_install_days 0", [](Fields& f) { f[L"new_install_days"] = L"\"0\""; }},
      {L"new_install_days not a number", [](Fields& f) { f[L"new_install_days"] = L"\"two\""; }},
      {L"bg_url empty", [](Fields& f) { f[L"bg_url"] = L"\"\""; }},
      {L"close_btn_url missing", [](Fields& f) { f.erase(L"close_btn_url"); }},
      {L"confirm_btn_url without an MD5 name", [](Fields& f) { f[L"confirm_btn_url"] = L"\"https://img.example/ok.png\""; }},
      {L"count-down switched on oddly", [](Fields& f) { f[L"count_down_enable"] = L"\"yes\""; }},
      {L"everything at once", [](Fields& f) { f = {{L"pop_version", L"\"2\""}, {L"new_install_days", L"\"-1\""}}; }},
  };
  for (const auto& [name, edit] : cases) {
    SCOPED_TRACE(name);
    Fields fields = valid;
    edit(fields);
    const std::wstring text = ItemText(fields);
    const std::vector<std::wstring> predicted = PredictedRefusals(campaign::CampaignItem(text));
    const std::vector<std::wstring> actual = ActualRefusals(text);
    const std::set<std::wstring> refused(actual.begin(), actual.end());
    for (const std::wstring& gate : predicted) EXPECT_TRUE(refused.count(gate)) << "the linter alone says " << gate;
    ASSERT_EQ(predicted.empty(), actual.empty()) << (actual.empty() ? L"" : actual[0]);
    if (!actual.empty()) EXPECT_EQ(predicted[0], actual[0]) << "the linter names the check that decides";
  }
}

TEST(OfferAgreement, AnEmptyItemIsTheRemoteConfigurationCheck) {
  EXPECT_EQ(PredictedRefusals(campaign::CampaignItem(L" ")), std::vector<std::wstring>{L"vanta_enabled"});
  EXPECT_EQ(ActualRefusals(L"").front(), L"vanta_enabled");
}
