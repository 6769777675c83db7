#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <string>

#include "utils/LogEnvironment.h"

namespace zlog {

// The process-wide file logger. Needs no set-up: the first statement initialises it, and a
// failed initialisation is retried by the next one. Lines from every process that logs to the
// same path are serialised by a machine-wide mutex named after that path.
class ZLogger {
 public:
  explicit ZLogger(LogEnvironment& environment);
  ZLogger(const ZLogger&) = delete;
  ZLogger& operator=(const ZLogger&) = delete;
  // Handles stay open for the life of the process; only test instances are ever destroyed.
  ~ZLogger();

  // The logger of this process, reading the real registry and host folder.
  static ZLogger& Instance();

  // True once the file is open; performs the lazy initialisation.
  bool IsEnabled();
  // No line of this process is written from now on, and no set-up is tried again: for tools that
  // run the module's code many times over and have no host to log for.
  void Silence() { state_.store(kSilenced, std::memory_order_release); }
  // Undoes Silence: the next statement sets the logger up again.
  void Resume() {
    int silenced = kSilenced;
    state_.compare_exchange_strong(silenced, kUninitialised, std::memory_order_acq_rel);
  }
  int Threshold() const { return threshold_.load(std::memory_order_relaxed); }
  bool ShouldLog(int severity) { return IsEnabled() && Threshold() <= severity; }

  // Appends one finished line (already ending in CR LF) as UTF-8.
  void AppendLine(const std::wstring& line);

  const std::wstring& Path() const { return path_; }

  // "LogLevel" below 5 gives min(value, 3); 5 and above, or no value, give INFO.
  static int ThresholdFromLogLevel(std::optional<DWORD> logLevel);

  static constexpr ULONGLONG kMaxSizeKeptAtOpen = 10ull * 1024 * 1024;

 private:
  enum State : int { kUninitialised = 0, kInitialising = 1, kReady = 2, kSilenced = 3 };

  bool Initialise();
  bool OpenFile();
  void SetUpMutex();
  void LockFile();
  void UnlockFile();

  LogEnvironment& environment_;
  std::atomic<int> state_{kUninitialised};
  std::atomic<int> threshold_{1};
  std::wstring path_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  HANDLE mutex_ = nullptr;
  std::mutex localLock_;  // guards the handles between threads of this process
};

}  // namespace zlog
