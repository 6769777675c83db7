#include "simulate/FleetSimulator.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "simulate/SimInstallRun.h"
#include "strategy/PopGateCatalog.h"
#include "utils/ZLogger.h"

namespace simulate {

namespace {

// The simulated clocks are local times written as UTC: while a run lasts, the module's calendar
// checks must read them in UTC, and its log, which has no host here, is silent. Both are given
// back after the run, so a program that embeds the simulator and starts others is not changed.
class RunConditions {
 public:
  RunConditions() {
    wchar_t zone[128] = {};
    hadZone_ = GetEnvironmentVariableW(L"TZ", zone, 128) > 0;
    zone_ = zone;
    _wputenv_s(L"TZ", L"UTC0");
    _tzset();
    zlog::ZLogger::Instance().Silence();
  }
  ~RunConditions() {
    zlog::ZLogger::Instance().Resume();
    _wputenv_s(L"TZ", hadZone_ ? zone_.c_str() : L"");
    _tzset();
  }
  RunConditions(const RunConditions&) = delete;
  RunConditions& operator=(const RunConditions&) = delete;

 private:
  bool hadZone_ = false;
  std::wstring zone_;
};

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
  const RunConditions conditions;
  const int threads = Threads(settings);
  std::vector<SimTally> parts(static_cast<size_t>(threads), EmptyTally(settings));
  std::atomic<uint64_t> next{0};
  std::atomic<uint64_t> done{0};
  std::exception_ptr failure;
  std::mutex failureLock;
  const auto work = [&](SimTally& tally) {
    try {
      SimWorld world(settings.itemText);
      SimInstallRun run(settings, world, tally);
      for (uint64_t first; (first = next.fetch_add(kBlock)) < settings.installs;) {
        const uint64_t last = std::min(settings.installs, first + kBlock);
        for (uint64_t index = first; index < last; ++index) run.Run(index);
        done.fetch_add(last - first);
      }
    } catch (...) {
      const std::lock_guard<std::mutex> hold(failureLock);
      failure = std::current_exception();
      next = settings.installs;  // the others stop at their next block
      done = settings.installs;
    }
  };
  std::vector<std::thread> workers;
  for (int i = 0; i < threads; ++i) workers.emplace_back(work, std::ref(parts[static_cast<size_t>(i)]));
  for (uint64_t waited = 0; progress && done.load() < settings.installs;) {
    Sleep(100);
    if (++waited % 10 == 0 && done.load() < settings.installs) progress(done.load(), settings.installs);
  }
  for (std::thread& worker : workers) worker.join();
  if (failure) std::rethrow_exception(failure);
  SimTally whole = EmptyTally(settings);
  for (const SimTally& part : parts) whole.Add(part);
  return whole;
}

}  // namespace simulate
