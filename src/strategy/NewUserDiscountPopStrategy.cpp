#include "strategy/NewUserDiscountPopStrategy.h"

#include "strategy/PopGateCatalog.h"
#include "utils/Log.h"

namespace strategy {

std::wstring NewUserDiscountPopStrategy::ConfigKey(int tryno) { return L"new_user_discount_" + std::to_wstring(tryno); }

bool NewUserDiscountPopStrategy::CanShow(int scene) {
  try {
    return RunCanShow(scene);
  } catch (...) {
    return false;  // the host's UI thread gets an answer, never an exception
  }
}

bool NewUserDiscountPopStrategy::RunCanShow(int scene) {
  // The pop-up's own checks come first and read nothing of the offer.
  PopGateContext context{world_, scene, L""};
  bool started = false;
  for (const PopGate& gate : PopGateCatalog::CanShowGates()) {
    if (!started && !gate.beforeStart()) {
      ZLOG(DEBUG) << L"CanShow Start";
      context.configKey = ConfigKey(world_.TryNo());
      started = true;
    }
    if (gate.Evaluate(context).passed) continue;
    Refuse(gate);
    return false;
  }
  ZLOG(DEBUG) << L"CanShow Finish";
  return true;
}

void NewUserDiscountPopStrategy::Refuse(const PopGate& gate) {
  const bool report = gate.reason() != 0 && reporter_;
  if (report && gate.reportFirst()) reporter_->ReportNoShow(gate.reason());
  if (!gate.refusalLog().empty()) ZLOG(DEBUG) << gate.refusalLog();
  if (report && !gate.reportFirst()) reporter_->ReportNoShow(gate.reason());
}

bool NewUserDiscountPopStrategy::IsNeedUpdateSource() {
  try {
    ZLOG(DEBUG) << L"IsNeedUpdateSource Start";
    PopGateContext context{world_, 0, ConfigKey(world_.TryNo())};
    for (const PopGate& gate : PopGateCatalog::UpdateSourceGates()) {
      if (gate.Evaluate(context).passed) continue;
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
  std::vector<PopGateExplanation> explanations;
  bool refused = false;
  for (const PopGate& gate : PopGateCatalog::CanShowGates()) {
    PopGateExplanation explanation{gate.name(), gate.reason(), gate.refusalLog(), gate.Evaluate(context), !refused};
    refused = refused || !explanation.verdict.passed;
    explanations.push_back(std::move(explanation));
  }
  return explanations;
}

}  // namespace strategy
