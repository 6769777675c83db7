// MD5 throughput of the module's implementation: on a 64 MiB buffer and on a file read as the
// picture checks read it (ZMd5::OfFile), medians of five runs. With a path argument the
// file is that one (scripts/bench.sh hashes the same file with openssl as the peer); without, a
// generated one in the temporary folder. Prints "name: value unit" lines.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "utils/ZMd5.h"

using qm::encoding::Md5Digest;
using qm::encoding::ZMd5;

namespace {

constexpr int kRuns = 5;
constexpr double kMB = 1e6;

std::wstring Widen(const char* text) {
  std::wstring wide;
  for (; *text; ++text) wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
  return wide;
}

long long SizeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int main(int argc, char** argv) {
  const size_t kBytes = 64u << 20;
  std::vector<unsigned char> data(kBytes);
  for (size_t i = 0; i < kBytes; ++i) data[i] = static_cast<unsigned char>(i * 2654435761u >> 13);

  std::vector<double> seconds;
  Md5Digest digest{};
  for (int run = 0; run < kRuns; ++run) {
    const double start = bench::Now();
    digest = ZMd5::Of(data.data(), data.size());
    seconds.push_back(bench::Now() - start);
  }
  std::printf("md5_buffer: %.1f MB/s\n", double(kBytes) / kMB / bench::Median(seconds));

  std::wstring path;
  bool generated = false;
  if (argc > 1) {
    path = Widen(argv[1]);
  } else {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    path = std::wstring(folder) + L"activity-md5-bench.bin";
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file) return 1;
    fwrite(data.data(), 1, data.size(), file);
    fclose(file);
    generated = true;
  }
  const long long size = SizeOf(path);
  if (size <= 0) {
    std::printf("md5_file: not available (cannot read %ls)\n", path.c_str());
    return 1;
  }
  seconds.clear();
  Md5Digest fromFile{};
  bool ok = true;
  for (int run = 0; run < kRuns; ++run) {
    const double start = bench::Now();
    ok = ZMd5::OfFile(path, fromFile) && ok;
    seconds.push_back(bench::Now() - start);
  }
  if (generated) DeleteFileW(path.c_str());
  std::printf("md5_file: %.1f MB/s\n", double(size) / kMB / bench::Median(seconds));
  std::printf("md5_file_digest: %s\n", ok ? ZMd5::Hex(fromFile).c_str() : "unreadable");
  if (generated && !(fromFile == digest)) std::printf("md5_file_digest: MISMATCH with the buffer's\n");
  return 0;
}
