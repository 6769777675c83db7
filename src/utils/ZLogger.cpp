#include "utils/ZLogger.h"

#include <algorithm>

#include "utils/LogSeverity.h"
#include "utils/TextEncoding.h"
#include "utils/Win32LogEnvironment.h"

namespace zlog {

ZLogger::ZLogger(LogEnvironment& environment) : environment_(environment) {}

ZLogger::~ZLogger() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  if (mutex_) CloseHandle(mutex_);
}

ZLogger& ZLogger::Instance() {
  // Never destroyed: statements may run while the module unloads.
  static ZLogger* const instance = new ZLogger(*new Win32LogEnvironment());
  return *instance;
}

int ZLogger::ThresholdFromLogLevel(std::optional<DWORD> logLevel) {
  if (!logLevel) return LOG_SEVERITY_INFO;
  if (*logLevel < 5) return static_cast<int>(std::min<DWORD>(*logLevel, 3));
  return LOG_SEVERITY_INFO;
}

bool ZLogger::IsEnabled() {
  const int state = state_.load(std::memory_order_acquire);
  if (state == kReady) return true;
  if (state == kSilenced) return false;
  int expected = kUninitialised;
  if (!state_.compare_exchange_strong(expected, kInitialising, std::memory_order_acq_rel)) {
    while (state_.load(std::memory_order_acquire) == kInitialising) Sleep(0);
    return state_.load(std::memory_order_acquire) == kReady;
  }
  // The caller's last-error value survives the first statement's set-up.
  const DWORD savedLastError = GetLastError();
  const bool ready = Initialise();
  SetLastError(savedLastError);
  // A Silence that came meanwhile stands.
  int initialising = kInitialising;
  return state_.compare_exchange_strong(initialising, ready ? kReady : kUninitialised, std::memory_order_acq_rel) &&
         ready;
}

bool ZLogger::Initialise() {
  threshold_.store(ThresholdFromLogLevel(environment_.ReadLogLevel()), std::memory_order_relaxed);
  std::lock_guard<std::mutex> guard(localLock_);
  // The mutex is named after the path, so the path comes first; it is cached once computed.
  if (path_.empty()) path_ = environment_.ComputeLogPath();
  SetUpMutex();
  LockFile();
  if (file_ != INVALID_HANDLE_VALUE) {
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
  }
  const bool opened = OpenFile();
  UnlockFile();
  return opened;
}

bool ZLogger::OpenFile() {
  if (file_ != INVALID_HANDLE_VALUE) return true;
  if (path_.empty()) path_ = environment_.ComputeLogPath();
  if (path_.empty()) return false;
  file_ = CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file_ == INVALID_HANDLE_VALUE) return false;

  // Size is checked only here: a file that grows past the limit while open keeps growing.
  LARGE_INTEGER size{};
  const LARGE_INTEGER zero{};
  if (GetFileSizeEx(file_, &size) && static_cast<ULONGLONG>(size.QuadPart) > kMaxSizeKeptAtOpen) {
    SetFilePointerEx(file_, zero, nullptr, FILE_BEGIN);
    SetEndOfFile(file_);
  } else {
    SetFilePointerEx(file_, zero, nullptr, FILE_END);
  }
  return true;
}

void ZLogger::SetUpMutex() {
  if (mutex_ || path_.empty()) return;
  std::wstring name = L"Global\\" + path_;
  std::replace(name.begin() + 7, name.end(), L'\\', L'/');
  mutex_ = CreateMutexW(nullptr, FALSE, name.c_str());
}

void ZLogger::LockFile() {
  if (mutex_) WaitForSingleObject(mutex_, INFINITE);
}

void ZLogger::UnlockFile() {
  if (mutex_) ReleaseMutex(mutex_);
}

void ZLogger::AppendLine(const std::wstring& line) {
  const std::string bytes = qm::encoding::WideToUtf8(line);
  std::lock_guard<std::mutex> guard(localLock_);
  SetUpMutex();
  LockFile();
  if (OpenFile()) {
    const LARGE_INTEGER zero{};
    SetFilePointerEx(file_, zero, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
  UnlockFile();
}

}  // namespace zlog
