#include "FootprintLog.h"

#include <windows.h>
#include <psapi.h>

#include "ProcessCounts.h"
#include "ThreadCensus.h"
#include "UiCallProbe.h"

namespace demo {

namespace {

std::wstring KiB(SIZE_T bytes) { return std::to_wstring(bytes / 1024) + L" KiB"; }

HMODULE counted = nullptr;

}  // namespace

std::wstring FootprintLog::Line(const std::wstring& stage) {
  const ProcessCounts counts = ProcessCounts::Take();
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof(memory);
  const SIZE_T workingSet =
      GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory)) ? memory.WorkingSetSize : 0;
  return L"demo: footprint " + stage + L": handles " + std::to_wstring(counts.handles) + L", windows " +
         std::to_wstring(counts.windows) + L", gdi " + std::to_wstring(counts.gdiObjects) + L", user " +
         std::to_wstring(counts.userObjects) + L", private " + KiB(counts.privateBytes) + L", committed private " +
         KiB(counts.committedPrivate) + L", working set " + KiB(workingSet) + L", " + ThreadCensus::Text(counted) +
         (UiCallProbe::EngineText().empty() ? L"" : L", " + UiCallProbe::EngineText()) + L"\n";
}

void FootprintLog::SetModule(HMODULE module) { counted = module; }

std::wstring FootprintLog::SourcesLine() {
  return L"demo: footprint counts from " + ProcessCounts::Sources() + L"; working set: GetProcessMemoryInfo\n";
}

}  // namespace demo
