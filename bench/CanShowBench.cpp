// The exit-scene decision as the host pays for it: CanShow of the real strategy through its world
// seam with every check passing up to the VIP state (logged in, not VIP, so it shows), the three
// pictures 300 KB each on disk. Median and p99 over many calls, and the share of a call spent
// hashing the pictures (the same three files hashed alone).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "StrategyFakeWorld.h"
#include "strategy/NewUserDiscountPopStrategy.h"
#include "strategy/PopFiles.h"
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
  if (!offer.CanShow(1)) {
    std::printf("canshow: not available (a check refused the prepared offer)\n");
    return 1;
  }
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
  std::printf("canshow_median: %.0f us\n", median);
  std::printf("canshow_p99: %.0f us\n", bench::Quantile(calls, 0.99));
  std::printf("canshow_hashing_share: %.0f %% (%.0f us of hashing 3 x %zu KB)\n",
              100.0 * bench::Median(hashing) / median, bench::Median(hashing), kImageBytes / 1024);
  return 0;
}
