#include "CycleCurve.h"

#include <cstdio>
#include <sstream>

namespace hardening_test {

namespace {

// What a count may move between the first and the last session without being a leak: the GDI+
// and COM caches, the heap's own growth. Measured, every count stays exactly flat over 200
// sessions; 512 KiB catches a leak of 2.5 KiB a session in the long run.
constexpr long long kHandleSlack = 4;
constexpr long long kWindowSlack = 1;
constexpr long long kGdiSlack = 4;
constexpr long long kPrivateSlackKiB = 512;

}  // namespace

CycleCurve::CycleCurve(const std::string& output) {
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    CycleSample sample;
    if (std::sscanf(line.c_str(),
                    "demo: cycle %d: handles %lld, windows %lld, gdi %lld, user %lld, private %lld KiB, committed "
                    "private %lld KiB",
                    &sample.cycle, &sample.handles, &sample.windows, &sample.gdi, &sample.user, &sample.privateKiB,
                    &sample.committedKiB) == 7) {
      samples_.push_back(sample);
    }
  }
}

std::string CycleCurve::Growth() const {
  // Sample 0 is before any session, sample 1 after the first.
  if (samples_.size() < 3) return "fewer than three samples";
  const CycleSample& first = samples_[1];
  const CycleSample& last = samples_.back();
  std::string growth;
  auto check = [&growth](const char* name, long long from, long long to, long long slack) {
    if (to - from > slack) {
      growth += std::string(name) + " " + std::to_string(from) + " -> " + std::to_string(to) + "; ";
    }
  };
  check("handles", first.handles, last.handles, kHandleSlack);
  check("windows", first.windows, last.windows, kWindowSlack);
  check("gdi", first.gdi, last.gdi, kGdiSlack);
  check("private KiB", first.privateKiB, last.privateKiB, kPrivateSlackKiB);
  check("committed private KiB", first.committedKiB, last.committedKiB, kPrivateSlackKiB);
  return growth;
}

std::string CycleCurve::ToText() const {
  std::string text = "cycle  handles  windows  gdi  user  private KiB  committed KiB\n";
  char line[160];
  for (const CycleSample& sample : samples_) {
    std::snprintf(line, sizeof(line), "%5d  %7lld  %7lld  %3lld  %4lld  %11lld  %13lld\n", sample.cycle,
                  sample.handles, sample.windows, sample.gdi, sample.user, sample.privateKiB, sample.committedKiB);
    text += line;
  }
  return text;
}

}  // namespace hardening_test
