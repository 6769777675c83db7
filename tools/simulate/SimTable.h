#pragma once

#include <functional>
#include <string>
#include <vector>

#include "simulate/SimReport.h"

namespace simulate {

// The text report's layout: a label column, then one column per item's run.
class SimTable {
 public:
  using Cell = std::function<std::string(const SimResult&)>;

  explicit SimTable(const std::vector<SimResult>& results) : results_(results) {}

  void Line(const std::string& text) { out_ += text + "\n"; }
  void Heading(const std::string& text) { out_ += "\n" + text + "\n"; }
  void Row(const std::string& label, const Cell& cell);
  const std::string& text() const { return out_; }

 private:
  const std::vector<SimResult>& results_;
  std::string out_;
};

}  // namespace simulate
