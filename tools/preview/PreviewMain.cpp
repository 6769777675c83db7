// preview: draws the new-user discount pop-up for a campaign's item into a PNG, as the module would.
#include <windows.h>

#include <string>
#include <vector>

#include "lint/ToolOutput.h"
#include "preview/PreviewCommand.h"

int wmain(int argc, wchar_t** argv) {
  try {
    return preview::PreviewCommand().Run(std::vector<std::wstring>(argv + 1, argv + argc));
  } catch (...) {
    campaign::ToolOutput::Error(L"preview: stopped by an unexpected error");
    return 2;
  }
}
