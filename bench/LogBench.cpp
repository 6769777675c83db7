// Cost of a filtered log statement (one load and one compare) and of a written line
// (mutex, seek, write). The log goes to log\ beside this program.
#include <windows.h>

#include <cstdio>

#include "utils/Log.h"
#include "utils/Win32LogEnvironment.h"

namespace {

// The logger reads "LogLevel" once, at its first statement: the bench starts it at INFO (1) so
// that DEBUG lines are the filtered ones whatever the machine holds, and puts the value back.
void StartLoggerAtInfo() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, zlog::Win32LogEnvironment::kLogLevelKey, 0, nullptr, 0,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    ZLOG(INFO) << L"log bench start";
    return;
  }
  DWORD previous = 0;
  DWORD size = sizeof(previous);
  const bool hadValue = RegQueryValueExW(key, zlog::Win32LogEnvironment::kLogLevelValue, nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(&previous), &size) == ERROR_SUCCESS;
  const DWORD info = 1;
  RegSetValueExW(key, zlog::Win32LogEnvironment::kLogLevelValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&info),
                 sizeof(info));
  ZLOG(INFO) << L"log bench start";
  if (hadValue) {
    RegSetValueExW(key, zlog::Win32LogEnvironment::kLogLevelValue, 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&previous), sizeof(previous));
  } else {
    RegDeleteValueW(key, zlog::Win32LogEnvironment::kLogLevelValue);
  }
  RegCloseKey(key);
}

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int main() {
  StartLoggerAtInfo();
  const int threshold = zlog::ZLogger::Instance().Threshold();
  LARGE_INTEGER start, end;

  const int kFiltered = 10000000;
  QueryPerformanceCounter(&start);
  for (int i = 0; i < kFiltered; ++i) ZLOG(DEBUG) << L"filtered " << i;
  QueryPerformanceCounter(&end);
  std::printf("log_filtered_debug: %.2f ns (threshold %d)\n", Seconds(start, end) * 1e9 / kFiltered, threshold);

  const int kWritten = 20000;
  QueryPerformanceCounter(&start);
  for (int i = 0; i < kWritten; ++i) ZLOG(INFO) << L"written line number " << i << L" with some text";
  QueryPerformanceCounter(&end);
  std::printf("log_written_info: %.2f us (%d lines)\n", Seconds(start, end) * 1e6 / kWritten, kWritten);
  return 0;
}
