// lint: checks a campaign's remote-configuration item before release.
#include <string>
#include <vector>

#include "lint/LintCommand.h"
#include "lint/ToolOutput.h"

int wmain(int argc, wchar_t** argv) {
  try {
    return campaign::LintCommand().Run(std::vector<std::wstring>(argv + 1, argv + argc));
  } catch (...) {
    campaign::ToolOutput::Error(L"lint: stopped by an unexpected error");
    return 2;
  }
}
