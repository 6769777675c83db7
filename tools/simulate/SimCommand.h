#pragma once

#include <string>
#include <vector>

#include "simulate/SimReport.h"
#include "simulate/SimSettings.h"

namespace simulate {

// simulate --config ITEM --population FILE [--installs N] [--days D] [--seed S] [--fleet F]
//          [--compare ITEM2] [--threads T] [--json]
// Exit codes: 0 the report was printed, 2 could not run (the reason on stderr).
class SimCommand {
 public:
  int Run(const std::vector<std::wstring>& arguments);

 private:
  bool Parse(const std::vector<std::wstring>& arguments, std::wstring& error);
  static bool LoadItem(const std::wstring& fileOrText, std::wstring& text, std::wstring& name, std::wstring& error);
  static bool ReadCount(const std::wstring& text, uint64_t least, uint64_t most, uint64_t& out);

  SimSettings settings_;
  std::wstring config_;
  std::wstring compare_;
  std::wstring population_;
  uint64_t fleet_ = 0;  // 0: as many as simulated
  bool json_ = false;
};

}  // namespace simulate
