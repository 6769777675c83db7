// MD5 throughput on a buffer and on a file read in 4,096-byte blocks (image checks hash files).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "utils/ZMd5.h"

using qm::encoding::Md5Digest;
using qm::encoding::ZMd5;

namespace {

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int main() {
  const size_t kBytes = 64u << 20;
  std::vector<unsigned char> data(kBytes);
  for (size_t i = 0; i < kBytes; ++i) data[i] = static_cast<unsigned char>(i * 2654435761u >> 13);

  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  const Md5Digest digest = ZMd5::Of(data.data(), data.size());
  QueryPerformanceCounter(&end);
  std::printf("md5 buffer: %zu MiB in %.3f s = %.1f MiB/s (%s)\n", kBytes >> 20, Seconds(start, end),
              double(kBytes >> 20) / Seconds(start, end), ZMd5::Hex(digest).c_str());

  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"activity-md5-bench.bin";
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (!file) return 1;
  fwrite(data.data(), 1, data.size(), file);
  fclose(file);
  Md5Digest fromFile{};
  QueryPerformanceCounter(&start);
  const bool ok = ZMd5::OfFile(path, fromFile);
  QueryPerformanceCounter(&end);
  DeleteFileW(path.c_str());
  std::printf("md5 file:   %zu MiB in %.3f s = %.1f MiB/s (%s)\n", kBytes >> 20, Seconds(start, end),
              double(kBytes >> 20) / Seconds(start, end), ok && fromFile == digest ? "same digest" : "MISMATCH");
  return 0;
}
