#include "simulate/FleetSimulator.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <thread>
#include <vector>

#include "simulate/SimInstallRun.h"
#include "strategy/PopGateCatalog.h"
#include "utils/ZLogger.h"

namespace simulate {

namespace {

// The simulated clocks are local times written as UTC; the module's calendar checks read them in
// the process's zone, which must therefore be UTC.
void UseUtcCalendar() {
  _putenv_s("TZ", "UTC0");
  _tzset();
}

SimTally EmptyTally(const SimSettings& settings) {
  return SimTally(strategy::PopGateCatalog::CanShowGates().size(), settings.days);
}

}  // namespace

int FleetSimulator::Threads(const SimSettings& settings) {
  if (settings.threads > 0) return settings.threads;
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  return std::max<int>(1, static_cast<int>(system.dwNumberOfProcessors));
}

SimTally FleetSimulator::Run(const SimSettings& settings, const ProgressFn& progress) {
  UseUtcCalendar();
  // A run asks the strategy millions of times; the module's log has no host here.
  zlog::ZLogger::Instance().Silence();
  const int threads = Threads(settings);
  std::vector<SimTally> parts(static_cast<size_t>(threads), EmptyTally(settings));
  std::atomic<uint64_t> next{0};
  std::atomic<uint64_t> done{0};
  const auto work = [&](SimTally& tally) {
    SimWorld world(settings.itemText);
    SimInstallRun run(settings, world, tally);
    for (uint64_t first; (first = next.fetch_add(kBlock)) < settings.installs;) {
      const uint64_t last = std::min(settings.installs, first + kBlock);
      for (uint64_t index = first; index < last; ++index) run.Run(index);
      done.fetch_add(last - first);
    }
  };
  std::vector<std::thread> workers;
  for (int i = 1; i < threads; ++i) workers.emplace_back(work, std::ref(parts[static_cast<size_t>(i)]));
  std::thread first(work, std::ref(parts[0]));
  uint64_t reported = 0;
  while (done.load() < settings.installs && progress) {
    Sleep(100);
    if (++reported % 10 == 0 && done.load() < settings.installs) progress(done.load(), settings.installs);
  }
  first.join();
  for (std::thread& worker : workers) worker.join();
  SimTally whole = EmptyTally(settings);
  for (const SimTally& part : parts) whole.Add(part);
  return whole;
}

}  // namespace simulate
