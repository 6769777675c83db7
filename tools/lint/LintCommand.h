#pragma once

#include <string>
#include <vector>

#include "lint/LintFinding.h"

namespace campaign {

// The linter's command line: lint --config FILE|TEXT [--fetch] [--json] [--host-type N].
// Exit codes: 0 clean, 1 findings, 2 could not run (the reason on stderr).
class LintCommand {
 public:
  int Run(const std::vector<std::wstring>& arguments);

  // One line per finding: "error   field: message".
  static std::string FormatText(const std::vector<LintFinding>& findings);
  // {"clean": bool, "findings": [{"severity", "field", "message"}]}
  static std::string FormatJson(const std::vector<LintFinding>& findings);

 private:
  bool Parse(const std::vector<std::wstring>& arguments, std::wstring& error);

  std::wstring config_;
  bool fetch_ = false;
  bool json_ = false;
  int hostType_ = 0;
};

}  // namespace campaign
