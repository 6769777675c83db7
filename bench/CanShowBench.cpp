// The exit-scene decision as the host pays for it: CanShow of the real strategy through its world
// seam with every check passing up to the VIP state (logged in, not VIP, so it shows), the three
// pictures 300 KB each on disk. The first call hashes the pictures; the later ones find them
// unchanged since the last check. Median and p99 over many calls, beside the goal, and what
// hashing the three files alone costs.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "StrategyFakeWorld.h"
#include "strategy/NewUserDiscountPopStrategy.h"
#include "strategy/PopFiles.h"
#include "utils/FileMd5Cache.h"
#include "utils/FileStamp.h"
#include "utils/ZMd5.h"

using strategy_test::FakePopWorld;

namespace {

constexpr size_t kImageBytes = 300 * 1024;
constexpr int kWarmUp = 20;
constexpr int kCalls = 500;

// Deterministic bytes of one picture, different per picture.
std::string PictureBytes(unsigned salt) {
  std::string bytes(kImageBytes, '\0');
  unsigned state = 0x9E3779B9u ^ salt;
  for (char& c : bytes) {
    state = state * 1664525u + 1013904223u;
    c = static_cast<char>(state >> 24);
  }
  return bytes;
}

}  // namespace

int main() {
  FakePopWorld world;
  const std::pair<const wchar_t*, const wchar_t*> pictures[] = {{L"bg_url", strategy::kBackgroundImage},
                                                                {L"close_btn_url", strategy::kCloseImage},
                                                                {L"confirm_btn_url", strategy::kConfirmImage}};
  std::vector<std::wstring> paths;
  unsigned salt = 1;
  for (const auto& [field, file] : pictures) {
    const std::string bytes = PictureBytes(salt++);
    world.WriteFile(world.UtilFolderPath() + file, bytes);
    world.fields[field] = L"https://img.example/pop/" + strategy_test::Md5Of(bytes) + L".png";
    paths.push_back(world.UtilFolderPath() + file);
  }
  world.vipState = 2;
  strategy::NewUserDiscountPopStrategy offer(world, nullptr);
  const double firstStart = bench::Now();
  if (!offer.CanShow(1)) {
    std::printf("canshow: not available (a check refused the prepared offer)\n");
    return 1;
  }
  const double firstCall = (bench::Now() - firstStart) * 1e6;
  const uint64_t hashedBefore = qm::FileMd5Cache::HashedCount();
  std::vector<double> calls, hashing;
  for (int i = 0; i < kWarmUp + kCalls; ++i) {
    const double start = bench::Now();
    offer.CanShow(1);
    const double middle = bench::Now();
    qm::encoding::Md5Digest digest{};
    for (const std::wstring& path : paths) qm::encoding::ZMd5::OfFile(path, digest);
    const double end = bench::Now();
    if (i < kWarmUp) continue;
    calls.push_back((middle - start) * 1e6);
    hashing.push_back((end - middle) * 1e6);
  }
  const double median = bench::Median(calls);
  std::printf("canshow_median: %.0f us (goal <= 500 us; host state: new install, never shown, logged in, "
              "pictures unchanged since the last check)\n",
              median);
  std::printf("canshow_p99: %.0f us\n", bench::Quantile(calls, 0.99));
  std::printf("canshow_first_call: %.0f us (the pictures hashed once: 3 x %zu KB, %.0f us alone)\n", firstCall,
              kImageBytes / 1024, bench::Median(hashing));
  std::vector<double> stamps;
  for (int i = 0; i < kCalls; ++i) {
    const double start = bench::Now();
    for (const std::wstring& path : paths) qm::FileStamp::Of(path);
    stamps.push_back((bench::Now() - start) * 1e6 / static_cast<double>(paths.size()));
  }
  std::printf("canshow_file_stamp: %.0f us per picture (how the check knows a picture is unchanged)\n",
              bench::Median(stamps));
  std::printf("canshow_pictures_read_again: %llu times in %d calls\n",
              static_cast<unsigned long long>(qm::FileMd5Cache::HashedCount() - hashedBefore), kWarmUp + kCalls);
  return 0;
}
