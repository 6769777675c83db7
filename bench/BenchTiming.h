#pragma once

// Timing helpers shared by the benchmarks: a monotonic clock in seconds and order statistics.
#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

inline double Now() {
  static const double frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return double(value.QuadPart);
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return double(counter.QuadPart) / frequency;
}

// The q-quantile (0.5 the median, 0.99 the 99th percentile) by the nearest rank.
inline double Quantile(std::vector<double> samples, double q) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  size_t rank = static_cast<size_t>(q * double(samples.size()) + 0.999999);
  rank = std::clamp<size_t>(rank, 1, samples.size());
  return samples[rank - 1];
}

inline double Median(const std::vector<double>& samples) { return Quantile(samples, 0.5); }

}  // namespace bench
