#include "strategy/PopExplainer.h"

#include "network/ZTessikNetvok.h"
#include "product/ChannelReader.h"
#include "product/HostProfile.h"
#include "product/ProductDetector.h"
#include "product/ProductInfoLoader.h"
#include "strategy/NewUserDiscountPopStrategy.h"
#include "strategy/Win32PopStrategyWorld.h"
#include "utils/UxJson.h"
#include "vanta/OfferFields.h"
#include "vanta/ZVantaWarpper.h"
#include "vip/CPDFVipSdkAdapter.h"
#include "vipCenterInfo/VipCenterInfoManager.h"
#include "vipCenterInfo/VipCenterUserSource.h"

namespace strategy {

const PopGateExplanation* PopExplanation::FirstRefusal() const {
  for (const PopGateExplanation& gate : gates) {
    if (!gate.verdict.passed && !gate.passedOver) return &gate;
  }
  return nullptr;
}

std::wstring PopExplainer::Verdict(const PopGateExplanation& gate) {
  std::wstring text = L"pass";
  if (!gate.verdict.passed) {
    text = gate.reason != 0 ? L"fail (reason " + std::to_wstring(gate.reason) + L")" : L"fail (no record)";
  }
  if (gate.passedOver) text += L", passed over (QA)";
  return gate.reached ? text : L"not reached, would " + text;
}

std::wstring PopExplainer::FormatText(const PopExplanation& explanation) {
  std::wstring text = L"explain: host type " + std::to_wstring(explanation.hostType) + L", product folder " +
                      explanation.productFolder + L", scene " + std::to_wstring(explanation.scene) +
                      L", config key " + explanation.configKey +
                      (explanation.remoteConfigLoaded ? L"" : L" (remote configuration not loaded)") + L"\n";
  if (explanation.qa) {
    text += L"QA machine " + explanation.machineUuid +
            L": listed in qa_uuids, so the audience checks are passed over and a show sends no records and leaves "
            L"last_show_time alone\n";
  }
  for (size_t i = 0; i < explanation.gates.size(); ++i) {
    const PopGateExplanation& gate = explanation.gates[i];
    text += std::to_wstring(i + 1) + L". " + gate.gate + L": " + Verdict(gate) + L"\n";
    for (const auto& [name, value] : gate.verdict.inputs) text += L"     " + name + L" = " + value + L"\n";
  }
  const PopGateExplanation* refusal = explanation.FirstRefusal();
  if (!refusal) return text + (explanation.qa ? L"result: the offer may show (QA)\n" : L"result: the offer may show\n");
  const std::wstring log = refusal->refusalLog.empty() ? L"no log line" : L"log \"" + refusal->refusalLog + L"\"";
  return text + L"result: refused by " + refusal->gate + L" (" + log + L")\n";
}

std::wstring PopExplainer::FormatJson(const PopExplanation& explanation) {
  UxJsonEx::Document doc;
  doc[L"host_type"] = explanation.hostType;
  doc[L"product_folder"] = explanation.productFolder;
  doc[L"scene"] = explanation.scene;
  doc[L"config_key"] = explanation.configKey;
  doc[L"remote_config_loaded"] = explanation.remoteConfigLoaded;
  doc[L"qa"] = explanation.qa;
  if (explanation.qa) doc[L"machine_uuid"] = explanation.machineUuid;
  const PopGateExplanation* refusal = explanation.FirstRefusal();
  doc[L"can_show"] = refusal == nullptr;
  doc[L"refused_by"] = refusal ? refusal->gate : std::wstring();
  doc[L"reason"] = refusal ? refusal->reason : 0;
  auto gates = doc[L"gates"];
  gates.Resize(explanation.gates.size());
  for (size_t i = 0; i < explanation.gates.size(); ++i) {
    const PopGateExplanation& gate = explanation.gates[i];
    auto entry = gates[static_cast<int>(i)];
    entry[L"gate"] = gate.gate;
    entry[L"verdict"] = std::wstring(!gate.reached ? L"not reached" : gate.verdict.passed ? L"pass" : L"fail");
    entry[L"passes"] = gate.verdict.passed;
    entry[L"passed_over"] = gate.passedOver;
    entry[L"reason"] = gate.verdict.passed ? 0 : gate.reason;
    entry[L"log"] = gate.verdict.passed ? std::wstring() : gate.refusalLog;
    auto inputs = entry[L"inputs"];
    for (const auto& [name, value] : gate.verdict.inputs) inputs[name] = value;
  }
  std::wstring text;
  doc.Write(text, true);
  return text + L"\n";
}

bool PopExplainer::Explain(const std::wstring& modulePath, int scene, PopExplanation& explanation,
                           std::wstring& error) {
  product::Win32HostSystem system(modulePath);
  const product::DetectionResult detection = product::ProductDetector(system).Detect();
  // The process-wide record, as the module fills it: the VIP facade reads it too.
  product::ProductInfo& info = product::ProductInfo::Instance();
  if (detection.productFolder.size() > 1) product::ProductInfoLoader(system, detection).Load(info);
  if (!product::HostProfile::Find(info.hostType)) {
    error = L"explain: no product of the family hosts " + system.ExecutablePath() + L"\n";
    return false;
  }
  info.loaded = true;
  const auto warpper = vanta::MakeWarpper(info.hostType, system);
  explanation.remoteConfigLoaded = warpper->Initialize() == 1;
  vip::CPDFVipSdkAdapter& vip = vip::CPDFVipSdkAdapter::Instance();
  vip.Initialize();
  Win32PopStrategyWorld world(system, info, *warpper, [&vip] { return vip.GetVipState(); }, false);
  explanation.hostType = info.hostType;
  explanation.productFolder = detection.productFolder;
  explanation.scene = scene;
  explanation.configKey = NewUserDiscountPopStrategy::ConfigKey(world.TryNo());
  if (product::HostProfile::Of(info.hostType).HasPrice()) {
    world.SetLastPrice(QueryPrice(system, info, *warpper, explanation.configKey));
  }
  NewUserDiscountPopStrategy strategy(world, nullptr);
  explanation.gates = strategy.Explain(scene);
  explanation.qa = strategy.IsQaMachine(world.RawConfig(explanation.configKey), false);
  if (explanation.qa) explanation.machineUuid = world.MachineUuid();
  vip.ReleaseAdapter();
  warpper->Uninitialize();
  return true;
}

// No refresh ran in this process: ask the VIP centre as the background refresh would, with this
// host's channel record, remote configuration and user.
PriceReading PopExplainer::QueryPrice(product::HostSystem& system, product::ProductInfo& info,
                                      vanta::IZVantaWarpper& warpper, const std::wstring& configKey) {
  vipcenter::VipCenterContext context;
  product::ChannelReader(system, info).ReadChannel(context.channel);
  context.configString = [&warpper, &configKey](const std::wstring& field, const std::wstring& defaultText) {
    std::wstring text;
    warpper.GetConfigString(text, configKey, field, defaultText.c_str());
    return text;
  };
  context.user = [] {
    vip::CPDFVipSdkAdapter& facade = vip::CPDFVipSdkAdapter::Instance();
    return vipcenter::VipCenterUser{facade.OpenId(), facade.Token()};
  };
  context.makeClient = [] { return std::make_unique<network::ZTessikNetvok>(); };
  using vanta::offer::kPackageMonths;
  const int months = warpper.GetConfigInt(configKey, kPackageMonths.name, kPackageMonths.defaultNumber);
  vipcenter::PayPriceInfo price;
  const int result = vipcenter::VipCenterInfoManager(info.hostType, std::move(context)).QueryPayPriceInfo(months, price);
  return {true, result == 0, price.payPrice, price.referencePrice,
          L"asked now by the explainer (" + std::to_wstring(months) + L" months, result " + std::to_wstring(result) +
              L")"};
}

int PopExplainer::Run(const std::wstring& modulePath, int scene, bool json, std::wstring& output) {
  try {
    PopExplanation explanation;
    if (!Explain(modulePath, scene, explanation, output)) return 2;
    output = json ? FormatJson(explanation) : FormatText(explanation);
    return explanation.ExitCode();
  } catch (...) {
    output = L"explain: failed\n";
    return 2;
  }
}

}  // namespace strategy
