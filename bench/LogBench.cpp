// Cost of a filtered log statement (one load and one compare) and of a written line
// (mutex, seek, write). The log goes to log\ beside this program.
#include <windows.h>

#include <cstdio>

#include "utils/Log.h"

namespace {

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int main() {
  ZLOG(INFO) << L"log bench start";  // initialises the logger
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
