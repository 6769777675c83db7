#include "simulate/SimReport.h"

#include <cstdio>

#include "simulate/SimLoad.h"
#include "simulate/SimTable.h"
#include "strategy/PopGateCatalog.h"
#include "utils/TextEncoding.h"

namespace simulate {

namespace {

std::string Count(uint64_t value) {
  std::string digits = std::to_string(value);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), ",");
  return digits;
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string Number(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

std::string Utf8(const std::wstring& text) {
  return qm::encoding::WideToUtf8(text);
}

std::string GateLabel(const strategy::PopGate& gate) {
  return Utf8(gate.name()) + (gate.reason() ? " (record " + std::to_string(gate.reason()) + ")" : " (no record)");
}

void FunnelRows(SimTable& table) {
  table.Heading("At the exit scene: the first check that refuses");
  table.Row("exit scenes", [](const SimResult& r) { return Count(r.tally.exitScenes); });
  const auto& gates = strategy::PopGateCatalog::CanShowGates();
  for (size_t i = 0; i < gates.size(); ++i) {
    table.Row(GateLabel(gates[i]), [i](const SimResult& r) { return Count(r.tally.refusedAt[i]); });
  }
  table.Row("shown", [](const SimResult& r) { return Count(r.tally.shows); });
  table.Heading("Records the refusals send, by reason");
  for (size_t reason = 1; reason < 16; ++reason) {
    bool any = false;
    for (const auto& gate : gates) any = any || gate.reason() == static_cast<int>(reason);
    if (!any) continue;
    table.Row("noshowreason " + std::to_string(reason),
              [reason](const SimResult& r) { return Count(r.tally.records[reason]); });
  }
}

void LoadRows(SimTable& table, uint64_t fleet, int days) {
  table.Heading("VIP-centre load for a fleet of " + Count(fleet) + " installs, requests per second");
  for (int kind = 0; kind < kRequestKinds; ++kind) {
    table.Row(std::string("mean, ") + kRequestKindNames[kind],
              [=](const SimResult& r) { return Fixed(SimLoad::Of(r.tally, fleet, days).mean[kind], 3); });
  }
  table.Row("mean, all",
            [=](const SimResult& r) { return Fixed(SimLoad::Sum(SimLoad::Of(r.tally, fleet, days).mean), 3); });
  table.Row("peak hour (UTC, day of the run)", [=](const SimResult& r) {
    const SimLoad load = SimLoad::Of(r.tally, fleet, days);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:00 day %d", load.peakUtcHour, load.peakDay);
    return std::string(text);
  });
  for (int kind = 0; kind < kRequestKinds; ++kind) {
    table.Row(std::string("at the peak, ") + kRequestKindNames[kind],
              [=](const SimResult& r) { return Fixed(SimLoad::Of(r.tally, fleet, days).atPeak[kind], 3); });
  }
  table.Row("at the peak, all",
            [=](const SimResult& r) { return Fixed(SimLoad::Sum(SimLoad::Of(r.tally, fleet, days).atPeak), 3); });
}

std::string JsonText(const std::string& utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string JsonKinds(const std::array<double, kRequestKinds>& perKind) {
  std::string out = "{";
  for (int kind = 0; kind < kRequestKinds; ++kind) {
    out += std::string("\"") + kRequestKindNames[kind] + "\": " + Number(perKind[kind]) + ", ";
  }
  return out + "\"all\": " + Number(SimLoad::Sum(perKind)) + "}";
}

std::string JsonFunnel(const SimTally& tally) {
  const auto& gates = strategy::PopGateCatalog::CanShowGates();
  std::string out = "[";
  uint64_t reached = tally.exitScenes;
  for (size_t i = 0; i < gates.size(); ++i) {
    out += std::string(i ? ", " : "") + "{\"gate\": " + JsonText(Utf8(gates[i].name())) +
           ", \"reason\": " + std::to_string(gates[i].reason()) + ", \"reached\": " + std::to_string(reached) +
           ", \"refused\": " + std::to_string(tally.refusedAt[i]) + "}";
    reached -= tally.refusedAt[i];
  }
  return out + "]";
}

std::string JsonRun(const SimResult& result, uint64_t fleet, int days) {
  const SimTally& t = result.tally;
  std::string out = "{\"item\": " + JsonText(Utf8(result.itemName)) + ", \"installs\": " + std::to_string(t.installs) +
                    ", \"install_days\": " + std::to_string(t.installDays) +
                    ", \"exit_scenes\": " + std::to_string(t.exitScenes) + ", \"funnel\": " + JsonFunnel(t) +
                    ", \"shown\": " + std::to_string(t.shows) + ", \"records\": {";
  bool first = true;
  for (size_t reason = 0; reason < t.records.size(); ++reason) {
    if (!t.records[reason]) continue;
    out += std::string(first ? "" : ", ") + "\"" + std::to_string(reason) + "\": " + std::to_string(t.records[reason]);
    first = false;
  }
  out += "}, \"shows_per_day\": [";
  for (size_t day = 0; day < t.showsPerDay.size(); ++day) out += (day ? ", " : "") + std::to_string(t.showsPerDay[day]);
  const SimLoad load = SimLoad::Of(t, fleet, days);
  out += "], \"installs_shown\": " + std::to_string(t.installsShown) +
         ", \"share_shown\": " + Number(t.installs ? static_cast<double>(t.installsShown) / t.installs : 0) +
         ", \"refresh_checks\": " + std::to_string(t.refreshChecks) +
         ", \"refreshes\": " + std::to_string(t.refreshes) + ", \"load\": {\"mean\": " + JsonKinds(load.mean) +
         ", \"peak\": {\"day\": " + std::to_string(load.peakDay) +
         ", \"utc_hour\": " + std::to_string(load.peakUtcHour) + ", \"per_second\": " + JsonKinds(load.atPeak) + "}}}";
  return out;
}

}  // namespace

std::string SimReport::Json(const SimSettings& settings, uint64_t fleet, const std::vector<SimResult>& results) {
  std::string out = "{\"installs\": " + std::to_string(settings.installs) +
                    ", \"days\": " + std::to_string(settings.days) + ", \"seed\": " + std::to_string(settings.seed) +
                    ", \"first_day\": \"" + DayName(settings, 0) + "\", \"fleet\": " + std::to_string(fleet) +
                    ", \"runs\": [";
  for (size_t i = 0; i < results.size(); ++i) out += (i ? ", " : "") + JsonRun(results[i], fleet, settings.days);
  return out + "]}\n";
}

std::string SimReport::DayName(const SimSettings& settings, int day) {
  const time_t at = static_cast<time_t>(settings.firstMidnight + static_cast<int64_t>(day) * 86400);
  tm utc{};
  gmtime_s(&utc, &at);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday);
  return text;
}

std::string SimReport::Text(const SimSettings& settings, uint64_t fleet, const std::vector<SimResult>& results) {
  SimTable table(results);
  table.Line("simulate: " + Count(settings.installs) + " installs over " + std::to_string(settings.days) +
             " days from " + DayName(settings, 0) + ", seed " + std::to_string(settings.seed));
  table.Row("item", [](const SimResult& r) { return Utf8(r.itemName); });
  table.Row("installs in the run", [](const SimResult& r) { return Count(r.tally.installs); });
  table.Row("install-days", [](const SimResult& r) { return Count(r.tally.installDays); });
  FunnelRows(table);
  table.Heading("Shows per day");
  for (int day = 0; day < settings.days; ++day) {
    table.Row("day " + std::to_string(day + 1) + " (" + DayName(settings, day) + ")",
              [day](const SimResult& r) { return Count(r.tally.showsPerDay[static_cast<size_t>(day)]); });
  }
  table.Heading("Installs");
  table.Row("that ever see the offer", [](const SimResult& r) { return Count(r.tally.installsShown); });
  table.Row("share", [](const SimResult& r) {
    return Fixed(r.tally.installs ? 100.0 * r.tally.installsShown / r.tally.installs : 0, 2) + " %";
  });
  table.Row("refreshes checked", [](const SimResult& r) { return Count(r.tally.refreshChecks); });
  table.Row("refreshes needed", [](const SimResult& r) { return Count(r.tally.refreshes); });
  LoadRows(table, fleet, settings.days);
  return table.text();
}

}  // namespace simulate
