#pragma once

#include <optional>
#include <string>

#include "DemoOptions.h"

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
  void WaitForFirstRefresh() const;

  DemoOptions options_;
  std::wstring logPath_;
  size_t logStart_ = 0;
};

}  // namespace demo
