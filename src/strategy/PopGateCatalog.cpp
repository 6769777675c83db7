#include "strategy/PopGateCatalog.h"

#include <cwchar>

#include "strategy/AvoidTidsMatcher.h"
#include "strategy/PopImageChecker.h"
#include "strategy/PopLocalState.h"
#include "utils/ZTime.h"
#include "vanta/OfferFields.h"

namespace strategy {

using qm::time::ZTime;
using namespace vanta::offer;

std::wstring PopGateCatalog::DescribeTime(long long seconds) {
  SYSTEMTIME local{};
  ZTime(seconds).ToCalendar(local);
  wchar_t text[64] = {};
  swprintf(text, 64, L"%lld (%04u-%02u-%02u %02u:%02u:%02u)", seconds, local.wYear, local.wMonth, local.wDay,
           local.wHour, local.wMinute, local.wSecond);
  return text;
}

const std::vector<PopGate>& PopGateCatalog::CanShowGates() {
  static const std::vector<PopGate>* const gates = new std::vector<PopGate>{
      Price(), Scene(), VantaEnabled(), NewlyInstalled(), ShownBefore(), AbTest(),
      AvoidTids(), ImagesValid(), OtherPopToday(), PopVersion(), Vip()};
  return *gates;
}

const std::vector<PopGate>& PopGateCatalog::UpdateSourceGates() {
  static const std::vector<PopGate>* const gates =
      new std::vector<PopGate>{ShownBefore(), NewlyInstalled(), OtherPopToday()};
  return *gates;
}

// Hosts with a price source show the offer only with a valid, non-zero price from the last refresh.
PopGate PopGateCatalog::Price() {
  PopGate gate(L"price", 8, L"", true, [](PopGateContext& context) {
    PopGateVerdict verdict;
    const PriceReading price = context.world.Price();
    verdict.Add(L"price_required", price.required ? L"yes" : L"no (the host has no price source)");
    verdict.passed = !price.required;
    if (!price.required) return verdict;
    verdict.Add(L"price_source", price.source);
    verdict.Add(L"price_valid", price.valid ? L"yes" : L"no");
    verdict.Add(L"pay_price", price.payPrice);
    verdict.Add(L"reference_price", price.referencePrice);
    verdict.passed = price.valid && price.payPrice != 0 && price.referencePrice != 0;
    return verdict;
  });
  return gate.BeforeStart();
}

PopGate PopGateCatalog::Scene() {
  return PopGate(L"scene", 0, L"Activity scene is not page view", false, [](PopGateContext& context) {
    PopGateVerdict verdict;
    verdict.Add(L"scene", context.scene);
    verdict.passed = context.scene == 1 || context.scene == 2;
    return verdict;
  });
}

PopGate PopGateCatalog::VantaEnabled() {
  return PopGate(L"vanta_enabled", 1, L"Vanta not enable", false, [](PopGateContext& context) {
    PopGateVerdict verdict;
    const std::wstring raw = context.world.RawConfig(context.configKey);
    context.rawItem = raw;
    verdict.Add(L"config_key", context.configKey);
    verdict.Add(L"raw", raw);
    verdict.passed = !raw.empty();
    return verdict;
  });
}

PopGate PopGateCatalog::NewlyInstalled() {
  PopGate gate(L"newly_installed", 0, L"Not new installed", false, [](PopGateContext& context) {
    PopGateVerdict verdict;
    const int days = context.world.ConfigInt(context.configKey, kNewInstallDays.name, kNewInstallDays.defaultNumber);
    const InstallTimeReading install = context.world.InstallTime();
    const int64_t now = context.world.Now();
    const int difference = ZTime(now).DaysBetween(ZTime(static_cast<int64_t>(install.seconds)));
    verdict.Add(L"new_install_days", days);
    verdict.Add(L"install_time_source", install.source);
    verdict.Add(L"install_time", DescribeTime(install.seconds));
    verdict.Add(L"now", DescribeTime(now));
    verdict.Add(L"day_difference", difference);
    verdict.passed = difference < days;
    return verdict;
  });
  return gate.Audience();
}

PopGate PopGateCatalog::ShownBefore() {
  PopGate gate(L"shown_before", 4, L"User has shown this pop before", true, [](PopGateContext& context) {
    PopGateVerdict verdict;
    const std::wstring folder = context.world.UtilFolder();
    const std::wstring stateFile = PopLocalState::StateFilePath(folder);
    const std::wstring text = context.world.LastShowTimeText(folder);
    verdict.Add(L"state_file", stateFile);
    verdict.Add(L"last_show_time", text.empty() ? L"(missing)" : text);
    // A show whose record never reached the file still counts in the process that made it.
    const bool inProcess = context.world.ShownInProcess(stateFile);
    if (inProcess) verdict.Add(L"shown_in_this_process", L"yes, the state file is unchanged since");
    verdict.passed = _wtoi(text.c_str()) == 0 && !inProcess;
    return verdict;
  });
  return gate.Audience();
}

PopGate PopGateCatalog::AbTest() {
  PopGate gate(L"ab_test", 2, L"AB test not passed", true, [](PopGateContext& context) {
    PopGateVerdict verdict;
    const int group = context.world.AbGroup(context.configKey, 0);
    verdict.Add(L"config_key", context.configKey);
    verdict.Add(L"group", group);
    verdict.passed = group == 2;
    return verdict;
  });
  return gate.Audience();
}

PopGate PopGateCatalog::AvoidTids() {
  PopGate gate(L"avoid_tids", 5, L"Is need avoid tids", true, [](PopGateContext& context) {
    PopGateVerdict verdict;
    const std::wstring avoid = context.world.ConfigString(context.configKey, kAvoidTids.name, L"");
    const int tid1 = context.world.Tid1();
    const int tid2 = context.world.Tid2();
    std::wstring entry;
    const bool matched = AvoidTidsMatcher::Match(avoid, tid1, tid2, &entry);
    verdict.Add(L"avoid_tids", avoid);
    verdict.Add(L"tid1", tid1);
    verdict.Add(L"tid2", tid2);
    verdict.Add(L"matching_entry", matched ? entry : L"(none)");
    verdict.passed = !matched;
    return verdict;
  });
  return gate.Audience();
}

PopGate PopGateCatalog::ImagesValid() {
  return PopGate(L"images_valid", 6, L"Image md5 not valid", true, [](PopGateContext& context) {
    PopGateVerdict verdict;
    IPopStrategyWorld& world = context.world;
    const auto checks = PopImageChecker::Check(world.ConfigString(context.configKey, kBackgroundUrl.name, L""),
                                               world.ConfigString(context.configKey, kCloseUrl.name, L""),
                                               world.ConfigString(context.configKey, kConfirmUrl.name, L""),
                                               world.UtilFolder(),
                                               [&world](const std::wstring& path) { return world.FileMd5(path); });
    for (size_t i = 0; i < checks.size(); ++i) {
      const std::wstring prefix = L"image" + std::to_wstring(i + 1) + L".";
      verdict.Add(prefix + L"url", checks[i].url);
      verdict.Add(prefix + L"path", checks[i].path);
      verdict.Add(prefix + L"expected_md5", checks[i].expected);
      verdict.Add(prefix + L"actual_md5", checks[i].actual.empty() ? L"(unreadable)" : checks[i].actual);
      verdict.Add(prefix + L"result", checks[i].valid ? L"match" : L"mismatch");
    }
    verdict.passed = PopImageChecker::AllValid(checks);
    return verdict;
  });
}

PopGate PopGateCatalog::OtherPopToday() {
  PopGate gate(L"other_pop_today", 7, L"Other pop has shown", true, [](PopGateContext& context) {
    PopGateVerdict verdict;
    const std::wstring folder = context.world.LocalConfigFolder();
    const long remind = context.world.LoginRemindPopTime(folder);
    const long pdfPop = context.world.PdfPopTime(folder);
    const ZTime now(context.world.Now());
    verdict.Add(L"pop_time", DescribeTime(remind));
    verdict.Add(L"lastPopTime", DescribeTime(pdfPop));
    verdict.Add(L"now", DescribeTime(now.Seconds()));
    verdict.passed = !now.IsSameDay(ZTime(remind)) && !now.IsSameDay(ZTime(pdfPop));
    return verdict;
  });
  return gate.Audience();
}

PopGate PopGateCatalog::PopVersion() {
  return PopGate(L"pop_version", 9, L"Pop version not valid", true, [](PopGateContext& context) {
    PopGateVerdict verdict;
    const int version = context.world.ConfigInt(context.configKey, kPopVersion.name, kPopVersion.defaultNumber);
    verdict.Add(L"pop_version_text", context.world.ConfigString(context.configKey, kPopVersion.name, L"(missing)"));
    verdict.Add(L"pop_version", version);
    verdict.passed = version == 1;
    return verdict;
  });
}

PopGate PopGateCatalog::Vip() {
  PopGate gate(L"vip", 3, L"User is vip", true, [](PopGateContext& context) {
    PopGateVerdict verdict;
    const int state = context.world.VipState();
    verdict.Add(L"vip_state", state);
    verdict.passed = state != 3;
    return verdict;
  });
  return gate.Audience();
}

}  // namespace strategy
