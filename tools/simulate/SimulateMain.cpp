// simulate: who would see the offer, and what it would cost the VIP-centre service.
#include <string>
#include <vector>

#include "lint/ToolOutput.h"
#include "simulate/SimCommand.h"

int wmain(int argc, wchar_t** argv) {
  try {
    return simulate::SimCommand().Run(std::vector<std::wstring>(argv + 1, argv + argc));
  } catch (...) {
    campaign::ToolOutput::Error(L"simulate: stopped by an unexpected error");
    return 2;
  }
}
