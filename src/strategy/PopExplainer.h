#pragma once

#include <string>
#include <vector>

#include "product/HostSystem.h"
#include "product/ProductInfo.h"
#include "strategy/IPopStrategyWorld.h"
#include "strategy/PopGateExplanation.h"
#include "vanta/IZVantaWarpper.h"

namespace strategy {

// What the explainer tells about one host and scene.
struct PopExplanation {
  int hostType = 0;
  std::wstring productFolder;
  std::wstring configKey;
  bool remoteConfigLoaded = false;
  int scene = 0;
  bool qa = false;  // the item's qa_uuids lists this machine
  std::wstring machineUuid;
  std::vector<PopGateExplanation> gates;

  // The first refusing gate not passed over, or null when the offer may show.
  const PopGateExplanation* FirstRefusal() const;
  // 0 every gate passes, 1 a gate refuses.
  int ExitCode() const { return FirstRefusal() ? 1 : 0; }
};

// "Why didn't the offer show?": runs every gate of the strategy for the host the given module
// sits in, reports nothing, changes nothing on disk, and prints each gate with its inputs.
class PopExplainer {
 public:
  // Exit code: 0 every gate passes, 1 a gate refuses, 2 the explanation could not run.
  static int Run(const std::wstring& modulePath, int scene, bool json, std::wstring& output);

  static std::wstring FormatText(const PopExplanation& explanation);
  static std::wstring FormatJson(const PopExplanation& explanation);
  // "pass", "fail (reason N)", "fail (no record)", each with ", not reached" after a refusal and
  // ", passed over (QA)" where a QA machine goes past it.
  static std::wstring Verdict(const PopGateExplanation& gate);

 private:
  static PriceReading QueryPrice(product::HostSystem& system, product::ProductInfo& info,
                                 vanta::IZVantaWarpper& warpper, const std::wstring& configKey);
  static bool Explain(const std::wstring& modulePath, int scene, PopExplanation& explanation, std::wstring& error);
};

}  // namespace strategy
