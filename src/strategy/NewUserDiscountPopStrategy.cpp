#include "strategy/NewUserDiscountPopStrategy.h"

#include <mutex>
#include <optional>

#include "strategy/PopGateCatalog.h"
#include "strategy/QaMachineList.h"
#include "utils/Log.h"

namespace strategy {

std::wstring NewUserDiscountPopStrategy::ConfigKey(int tryno) { return L"new_user_discount_" + std::to_wstring(tryno); }

PopDecision NewUserDiscountPopStrategy::Decide(int scene) {
  try {
    return RunCanShow(scene);
  } catch (...) {
    return {};  // the host's UI thread gets an answer, never an exception
  }
}

PopDecision NewUserDiscountPopStrategy::RunCanShow(int scene) {
  // The pop-up's own checks come first and read nothing of the offer.
  PopGateContext context{world_, scene, L""};
  bool started = false;
  // Known where the audience checks begin, from the item's text vanta_enabled read: a refusal
  // before that is one the offer gets on any machine, and no further read of the item is made.
  std::optional<bool> qa;
  for (const PopGate& gate : PopGateCatalog::CanShowGates()) {
    if (!started && !gate.beforeStart()) {
      ZLOG(DEBUG) << L"CanShow Start";
      context.configKey = ConfigKey(world_.TryNo());
      started = true;
    }
    if (gate.audience() && !qa) qa = IsQaMachine(context.rawItem, true);
    if (gate.Evaluate(context).passed) continue;
    if (gate.audience() && *qa) {
      PassOver(gate);
      continue;
    }
    Refuse(gate, qa.value_or(false));
    return {false, false, &gate};
  }
  ZLOG(DEBUG) << L"CanShow Finish";
  return {true, qa.value_or(false)};
}

bool NewUserDiscountPopStrategy::IsQaMachine(const std::wstring& rawItem, bool log) {
  const std::wstring text = world_.QaUuidsText(rawItem);
  if (text.empty()) return false;
  const QaMachineList list = QaMachineList::Parse(text);
  if (log) WarnMalformedOnce(text, list.malformed());
  if (list.uuids().empty()) return false;
  const std::wstring uuid = world_.MachineUuid();
  if (!list.Lists(uuid)) return false;
  if (log) ZLOG(INFO) << L"QA machine " << uuid << L": the audience checks are passed over, no records are sent";
  return true;
}

void NewUserDiscountPopStrategy::WarnMalformedOnce(const std::wstring& list,
                                                   const std::vector<std::wstring>& malformed) {
  static std::mutex lock;
  static std::wstring warned;  // the last list warned about: each exit scene and refresh reads it again
  std::lock_guard<std::mutex> hold(lock);
  if (malformed.empty() || list == warned) return;
  warned = list;
  for (const std::wstring& entry : malformed) {
    ZLOG(WARNING) << L"qa_uuids entry \"" << entry << L"\" is not a machine uuid, ignored";
  }
}

void NewUserDiscountPopStrategy::PassOver(const PopGate& gate) {
  const std::wstring record =
      gate.reason() != 0 ? L"reason " + std::to_wstring(gate.reason()) : std::wstring(L"no record");
  ZLOG(INFO) << L"QA machine: passed over " << gate.name() << L", which refuses: \"" << gate.refusalLog() << L"\" ("
             << record << L")";
}

void NewUserDiscountPopStrategy::Refuse(const PopGate& gate, bool withoutRecord) {
  const bool report = gate.reason() != 0 && reporter_ && !withoutRecord;
  if (report && gate.reportFirst()) reporter_->ReportNoShow(gate.reason());
  if (!gate.refusalLog().empty()) ZLOG(DEBUG) << gate.refusalLog();
  if (report && !gate.reportFirst()) reporter_->ReportNoShow(gate.reason());
}

bool NewUserDiscountPopStrategy::IsNeedUpdateSource() {
  try {
    ZLOG(DEBUG) << L"IsNeedUpdateSource Start";
    PopGateContext context{world_, 0, ConfigKey(world_.TryNo())};
    // A QA machine needs the offer's price and pictures as much as a new user's.
    std::optional<bool> qa;
    for (const PopGate& gate : PopGateCatalog::UpdateSourceGates()) {
      if (gate.Evaluate(context).passed) continue;
      if (!qa) qa = IsQaMachine(world_.RawConfig(context.configKey), true);
      if (*qa) {
        PassOver(gate);
        continue;
      }
      ZLOG(DEBUG) << gate.refusalLog();
      return false;
    }
    ZLOG(DEBUG) << L"IsNeedUpdateSource Finish";
    return true;
  } catch (...) {
    return false;
  }
}

std::vector<PopGateExplanation> NewUserDiscountPopStrategy::Explain(int scene) {
  PopGateContext context{world_, scene, ConfigKey(world_.TryNo())};
  std::optional<bool> qa;
  std::vector<PopGateExplanation> explanations;
  bool refused = false;
  for (const PopGate& gate : PopGateCatalog::CanShowGates()) {
    if (gate.audience() && !qa) qa = IsQaMachine(context.rawItem, false);
    PopGateExplanation explanation{gate.name(), gate.reason(), gate.refusalLog(), gate.Evaluate(context), !refused};
    explanation.passedOver = gate.audience() && *qa && !explanation.verdict.passed;
    refused = refused || (!explanation.verdict.passed && !explanation.passedOver);
    explanations.push_back(std::move(explanation));
  }
  return explanations;
}

}  // namespace strategy
