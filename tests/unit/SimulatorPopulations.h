#pragma once

// Populations and items for the simulator's tests: every install alike, every gate open, and
// one field changed at a time.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "simulate/FleetSimulator.h"
#include "simulate/SimPopulation.h"

namespace simulate_test {

using Fields = std::map<std::string, std::string>;

// One session a day at 10:00 local for an hour, new installs of type 3 that pass every gate.
inline Fields OpenPopulation() {
  return {{"host_types", R"({"3": 1})"},       {"install_age_days", R"({"0": 1})"}, {"tid1", R"({"1001": 1})"},
          {"tid2", R"({"2002": 1})"},          {"ab_groups", R"({"2": 1})"},        {"vip_states", R"({"1": 1})"},
          {"sessions_per_day", R"({"1": 1})"}, {"session_minutes", R"({"60": 1})"}, {"launch_hour", R"({"10": 1})"},
          {"time_zones", R"({"0": 1})"}};
}

inline Fields OpenItem() {
  return {{"pop_version", R"("1")"},
          {"new_install_days", R"("3")"},
          {"recommand_package_months", R"("12")"},
          {"bg_url", R"("https://cdn.example.com/p/4c22eb89d4dc3c5538e38f79c9f56ee5.png")"},
          {"close_btn_url", R"("https://cdn.example.com/p/bdfa8675b0c59d754fcc009a455a0466.png")"},
          {"confirm_btn_url", R"("https://cdn.example.com/p/515ddc4c252bca8f954cbb8599e89027.png")"}};
}

inline std::string Object(const Fields& fields) {
  std::string text = "{";
  for (const auto& [name, value] : fields) text += (text.size() > 1 ? ", \"" : "\"") + name + "\": " + value;
  return text + "}";
}

inline std::wstring Wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

inline simulate::SimSettings Settings(const Fields& population, const Fields& item, uint64_t installs, int days) {
  simulate::SimSettings settings;
  std::wstring error;
  EXPECT_TRUE(simulate::SimPopulation::Load(Wide(Object(population)), settings.population, error))
      << Object(population);
  settings.itemText = Wide(Object(item));
  settings.installs = installs;
  settings.days = days;
  return settings;
}

}  // namespace simulate_test
