#include "simulate/SimTable.h"

#include <cstdio>

namespace simulate {

void SimTable::Row(const std::string& label, const Cell& cell) {
  char text[160];
  std::snprintf(text, sizeof text, "  %-36s", label.c_str());
  out_ += text;
  for (const SimResult& result : results_) {
    std::snprintf(text, sizeof text, " %18s", cell(result).c_str());
    out_ += text;
  }
  out_ += "\n";
}

}  // namespace simulate
