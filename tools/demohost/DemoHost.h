#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "DemoOptions.h"
#include "UiWatchdog.h"

namespace PAGESDKUTIL {
class IActivityUtil;
}

namespace demo {

// A small host: loads the module, drives the controller through one session and shows what the
// module logged during it.
class DemoHost {
 public:
  explicit DemoHost(const DemoOptions& options) : options_(options) {}
  int Run();  // process exit code

 private:
  static bool WriteLogLevel(std::optional<unsigned long> level);  // nothing: remove the value
  static std::optional<unsigned long> ReadLogLevel();
  int RunWithModule();
  std::wstring ModulePath() const;
  std::wstring LogPath(const std::wstring& modulePath) const;
  int RunSession(void* factoryExport);
  struct SessionResult {
    int exitCode = 0;
    bool shown = false;
    bool shownNotAccepted = false;
    unsigned long long uninitializeMs = 0;
  };
  SessionResult RunOnce(void* factoryExport, bool verbose);
  void InitializeMeasured(PAGESDKUTIL::IActivityUtil& activity) const;
  void OfferExitScene(PAGESDKUTIL::IActivityUtil& activity, SessionResult& session, bool verbose);
  void Footprint(const wchar_t* stage) const;  // with --footprint
  int RunCycles(void* factoryExport);
  void* ReloadModule();  // with --reload: the new load's factory export, or nullptr
  void ForgetShow() const;
  void Enter(UiWatchdog::Phase phase);
  void PrintStalls(const UiWatchdog& watchdog) const;
  void WaitForFirstRefresh() const;

  DemoOptions options_;
  HMODULE module_ = nullptr;
  std::wstring logPath_;
  size_t logStart_ = 0;
  UiWatchdog* watchdog_ = nullptr;
  bool treePrinted_ = false;
};

}  // namespace demo
