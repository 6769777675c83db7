#pragma once

#include <string>
#include <vector>

namespace hardening_test {

// The counts the demo host prints every 20 sessions ("demo: cycle N: handles H, windows W, gdi G,
// user U, private P KiB, committed private C KiB"), read back as a curve.
struct CycleSample {
  int cycle = 0;
  long long handles = 0;
  long long windows = 0;
  long long gdi = 0;
  long long user = 0;
  long long privateKiB = 0;
  long long committedKiB = 0;
};

class CycleCurve {
 public:
  explicit CycleCurve(const std::string& output);

  const std::vector<CycleSample>& samples() const { return samples_; }
  // Growth from the first session on (the first session loads what stays for the process) beyond
  // the slack of each count; empty when the curve is flat.
  std::string Growth() const;
  std::string ToText() const;

 private:
  std::vector<CycleSample> samples_;
};

}  // namespace hardening_test
