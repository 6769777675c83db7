#pragma once

#include <functional>
#include <string>

#include "strategy/IPopStrategyWorld.h"
#include "strategy/PopGateVerdict.h"

namespace strategy {

// What a gate is evaluated for.
struct PopGateContext {
  IPopStrategyWorld& world;
  int scene = 0;
  std::wstring configKey;
  std::wstring rawItem;  // the item's text, once vanta_enabled has read it
};

// One check of the offer: it evaluates itself and says how a refusal is logged and reported.
class PopGate {
 public:
  using Evaluator = std::function<PopGateVerdict(PopGateContext&)>;

  // reason 0: a refusal is logged only; reportFirst: the record goes out before the log line; an
  // empty refusalLog refuses silently.
  PopGate(std::wstring name, int reason, std::wstring refusalLog, bool reportFirst, Evaluator evaluate)
      : name_(std::move(name)),
        reason_(reason),
        refusalLog_(std::move(refusalLog)),
        reportFirst_(reportFirst),
        evaluate_(std::move(evaluate)) {}

  // A gate of the pop-up itself, checked before the strategy announces its start.
  PopGate& BeforeStart() {
    beforeStart_ = true;
    return *this;
  }

  // A gate of who sees the offer (not of whether it can be drawn truthfully): a QA machine
  // passes over it.
  PopGate& Audience() {
    audience_ = true;
    return *this;
  }

  PopGateVerdict Evaluate(PopGateContext& context) const { return evaluate_(context); }

  const std::wstring& name() const { return name_; }
  int reason() const { return reason_; }
  const std::wstring& refusalLog() const { return refusalLog_; }
  bool reportFirst() const { return reportFirst_; }
  bool beforeStart() const { return beforeStart_; }
  bool audience() const { return audience_; }

 private:
  std::wstring name_;
  int reason_;
  std::wstring refusalLog_;
  bool reportFirst_;
  bool beforeStart_ = false;
  bool audience_ = false;
  Evaluator evaluate_;
};

}  // namespace strategy
