#include "simulate/SimPopulation.h"

#include "utils/FileUtil.h"
#include "utils/TextEncoding.h"

namespace simulate {

namespace {

struct WeightsField {
  const char* name;
  SimWeights SimPopulation::*member;
  int least;
  int most;
  bool required;
};

constexpr WeightsField kWeights[] = {
    {"host_types", &SimPopulation::hostTypes, 1, 7, true},
    {"install_age_days", &SimPopulation::installAgeDays, -36500, 36500, true},
    {"tid1", &SimPopulation::tid1, 0, 2147483647, true},
    {"tid2", &SimPopulation::tid2, 0, 2147483647, false},
    {"ab_groups", &SimPopulation::abGroups, 0, 1000, true},
    {"vip_states", &SimPopulation::vipStates, 1, 3, true},
    {"sessions_per_day", &SimPopulation::sessionsPerDay, 0, 100, true},
    {"session_minutes", &SimPopulation::sessionMinutes, 1, 1440, true},
    {"launch_hour", &SimPopulation::launchHour, 0, 23, true},
    {"time_zones", &SimPopulation::timeZones, -12, 14, false},
};

struct ShareField {
  const char* name;
  double SimPopulation::*member;
};

constexpr ShareField kShares[] = {
    {"other_pop_today", &SimPopulation::otherPopToday},
    {"picture_download_success", &SimPopulation::pictureDownloadSuccess},
    {"vip_centre_success", &SimPopulation::vipCentreSuccess},
    {"pictures_in_place", &SimPopulation::picturesInPlace},
};

}  // namespace

bool SimPopulation::Read(const PopulationJson& json, SimPopulation& out, std::string& error) {
  out = SimPopulation();
  if (!json.IsObject()) return error = "the population is not a JSON object", false;
  for (const WeightsField& field : kWeights) {
    const PopulationJson* value = json.Find(field.name);
    if (!value) {
      if (field.required) return error = std::string("\"") + field.name + "\" is missing", false;
      continue;
    }
    std::string why;
    if (!SimWeights::Read(*value, field.least, field.most, out.*field.member, why)) {
      return error = std::string("\"") + field.name + "\" " + why, false;
    }
  }
  for (const ShareField& field : kShares) {
    const PopulationJson* value = json.Find(field.name);
    if (!value) continue;
    if (!value->IsNumber() || value->number() < 0 || value->number() > 1) {
      return error = std::string("\"") + field.name + "\" is not a share between 0 and 1", false;
    }
    out.*field.member = value->number();
  }
  for (const auto& [name, value] : json.members()) {
    bool known = false;
    for (const WeightsField& field : kWeights) known = known || name == field.name;
    for (const ShareField& field : kShares) known = known || name == field.name;
    if (!known && name.rfind("_", 0) != 0) return error = "\"" + name + "\" is not a population field", false;
  }
  return true;
}

bool SimPopulation::Load(const std::wstring& fileOrText, SimPopulation& out, std::wstring& error) {
  std::string text;
  if (!fileOrText.empty() && fileOrText[0] == L'{') {
    text = qm::encoding::WideToUtf8(fileOrText);
  } else if (!qm::FileUtil::ReadAll(fileOrText, text)) {
    error = L"cannot read the population file " + fileOrText;
    return false;
  }
  PopulationJson json;
  std::string why;
  if (!PopulationJson::Parse(text, json, why) || !Read(json, out, why)) {
    error = L"population: " + qm::encoding::Utf8ToWide(why);
    return false;
  }
  return true;
}

}  // namespace simulate
