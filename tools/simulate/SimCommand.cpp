#include "simulate/SimCommand.h"

#include <cwchar>
#include <cwctype>

#include "lint/CampaignItem.h"
#include "lint/ToolOutput.h"
#include "simulate/FleetSimulator.h"

namespace simulate {

namespace {

constexpr wchar_t kUsage[] =
    L"usage: simulate --config ITEM --population FILE [--installs N] [--days D] [--seed S] [--fleet F]\n"
    L"                [--compare ITEM2] [--threads T] [--json]";

constexpr uint64_t kMostInstalls = 100000000;
constexpr uint64_t kMostDays = 3650;
constexpr uint64_t kMostInstallDays = 2000000000;

std::wstring BaseName(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool SimCommand::ReadCount(const std::wstring& text, uint64_t least, uint64_t most, uint64_t& out) {
  if (text.empty() || text.size() > 19) return false;
  for (const wchar_t c : text) {
    if (!std::iswdigit(c)) return false;
  }
  out = std::wcstoull(text.c_str(), nullptr, 10);
  return out >= least && out <= most;
}

bool SimCommand::Parse(const std::vector<std::wstring>& arguments, std::wstring& error) {
  uint64_t days = static_cast<uint64_t>(settings_.days), threads = 0;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& name = arguments[i];
    const std::wstring value = i + 1 < arguments.size() ? arguments[i + 1] : L"";
    bool ok = !value.empty();
    if (name == L"--json") {
      json_ = true;
      continue;
    } else if (name == L"--config") {
      config_ = value;
    } else if (name == L"--compare") {
      compare_ = value;
    } else if (name == L"--population") {
      population_ = value;
    } else if (name == L"--installs") {
      ok = ReadCount(value, 1, kMostInstalls, settings_.installs);
    } else if (name == L"--days") {
      ok = ReadCount(value, 1, kMostDays, days);
    } else if (name == L"--seed") {
      ok = ReadCount(value, 0, UINT64_MAX, settings_.seed);
    } else if (name == L"--fleet") {
      ok = ReadCount(value, 1, UINT64_MAX, fleet_);
    } else if (name == L"--threads") {
      ok = ReadCount(value, 1, 64, threads);
    } else {
      return error = L"unknown option " + name, false;
    }
    if (!ok) return error = name + L" needs a value in range, not \"" + value + L"\"", false;
    ++i;
  }
  settings_.days = static_cast<int>(days);
  settings_.threads = static_cast<int>(threads);
  if (config_.empty() || population_.empty()) return error = L"--config and --population are needed", false;
  if (settings_.installs * days > kMostInstallDays) return error = L"more install-days than a run can hold", false;
  return true;
}

bool SimCommand::LoadItem(const std::wstring& fileOrText, std::wstring& text, std::wstring& name, std::wstring& error) {
  campaign::CampaignItem item;
  if (!campaign::CampaignItem::Load(fileOrText, item, error)) return false;
  name = fileOrText[0] == L'{' ? L"(item text)" : BaseName(fileOrText);
  // A remote configuration without the offer's item: every install is refused as without it.
  if (item.source_name().empty() && item.MemberKind(L"items") == qm::json::Kind::Object) return text.clear(), true;
  if (!item.IsObject()) return error = L"the item " + BaseName(fileOrText) + L" is not a JSON object", false;
  text = item.text();
  return true;
}

int SimCommand::Run(const std::vector<std::wstring>& arguments) {
  std::wstring error;
  if (!Parse(arguments, error)) {
    campaign::ToolOutput::Error(L"simulate: " + error + L"\n" + kUsage);
    return 2;
  }
  std::vector<std::wstring> texts(compare_.empty() ? 1 : 2);
  std::vector<SimResult> results(texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    if (!LoadItem(i ? compare_ : config_, texts[i], results[i].itemName, error)) {
      campaign::ToolOutput::Error(L"simulate: " + error);
      return 2;
    }
  }
  if (!SimPopulation::Load(population_, settings_.population, error)) {
    campaign::ToolOutput::Error(L"simulate: " + error);
    return 2;
  }
  const auto progress = [](uint64_t done, uint64_t total) {
    campaign::ToolOutput::Error(L"simulate: " + std::to_wstring(done) + L" of " + std::to_wstring(total) +
                                L" installs");
  };
  for (size_t i = 0; i < texts.size(); ++i) {
    settings_.itemText = texts[i];
    results[i].tally = FleetSimulator::Run(settings_, progress);
  }
  const uint64_t fleet = fleet_ ? fleet_ : settings_.installs;
  campaign::ToolOutput::Print(json_ ? SimReport::Json(settings_, fleet, results)
                                    : SimReport::Text(settings_, fleet, results));
  return 0;
}

}  // namespace simulate
