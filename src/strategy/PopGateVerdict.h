#pragma once

#include <string>
#include <utility>
#include <vector>

namespace strategy {

// What one gate found: whether it lets the offer through and what it looked at.
struct PopGateVerdict {
  bool passed = false;
  std::vector<std::pair<std::wstring, std::wstring>> inputs;  // in the order they were read

  void Add(const std::wstring& name, const std::wstring& value) { inputs.emplace_back(name, value); }
  void Add(const std::wstring& name, long long value) { inputs.emplace_back(name, std::to_wstring(value)); }
};

}  // namespace strategy
