#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace simulate {

// What the VIP-centre service and the picture server are asked for.
enum class RequestKind { kShowId = 0, kPrice = 1, kPicture = 2 };
inline constexpr int kRequestKinds = 3;
inline constexpr const char* kRequestKindNames[kRequestKinds] = {"show_id", "price", "pictures"};

// Counts of one run (or one thread's part of it); parts add up in any order to the same whole.
struct alignas(64) SimTally {
  explicit SimTally(size_t gates = 0, int days = 0)
      : refusedAt(gates), showsPerDay(days), requests((static_cast<size_t>(days) + 2) * 24) {}

  uint64_t installs = 0;
  uint64_t installDays = 0;  // days an install existed on
  uint64_t installsShown = 0;
  uint64_t exitScenes = 0;
  uint64_t shows = 0;
  std::vector<uint64_t> refusedAt;     // by the strategy's gate, in its order
  std::array<uint64_t, 16> records{};  // by reason code
  std::vector<uint64_t> showsPerDay;
  uint64_t refreshChecks = 0;  // worker refreshes that asked whether a refresh is needed
  uint64_t refreshes = 0;      // ... and were
  // By UTC hour, from the UTC day before the first local day (zones east of UTC start there) to
  // the one after the last.
  std::vector<std::array<uint64_t, kRequestKinds>> requests;

  // hour: UTC hours since the first day's midnight in UTC.
  void CountRequest(RequestKind kind, int64_t hour) {
    const int64_t slot = hour + 24;
    if (slot >= 0 && static_cast<size_t>(slot) < requests.size())
      ++requests[static_cast<size_t>(slot)][static_cast<int>(kind)];
  }
  void Add(const SimTally& other);
};

}  // namespace simulate
