#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "utils/bundle/BundleItem.h"
#include "utils/bundle/BundleSerial.h"

namespace qm {

// An int, 64-bit int, double or pointer. A pointer crosses the serial form as its low four bytes,
// like an int; it is never followed.
template <class T, uint16_t Code>
class BundleScalarItem final : public BundleItem {
 public:
  using Stored = std::conditional_t<std::is_pointer_v<T>, uint32_t, T>;

  explicit BundleScalarItem(T value = T{}) : value_(value) {}
  uint16_t type() const override { return Code; }
  T value() const { return value_; }

  bool ReadValue(const uint8_t* bytes, uint32_t length, int, uint32_t& sum) override {
    if (length != sizeof(Stored)) return false;
    sum += BundleSerial::Sum(bytes, length);
    Stored stored{};
    std::memcpy(&stored, bytes, sizeof(stored));  // little-endian, as the platform
    if constexpr (std::is_pointer_v<T>) {
      value_ = reinterpret_cast<T>(static_cast<uintptr_t>(stored));
    } else {
      value_ = stored;
    }
    return true;
  }

  bool WriteValue(std::string& out, uint32_t& sum) const override {
    Stored stored{};
    if constexpr (std::is_pointer_v<T>) {
      stored = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(value_));
    } else {
      stored = value_;
    }
    BundleSerial::Append(out, &stored, sizeof(stored), sum);
    return true;
  }

 private:
  T value_;
};

using BundleIntItem = BundleScalarItem<int32_t, kBundleInt>;
using BundleInt64Item = BundleScalarItem<int64_t, kBundleInt64>;
using BundleDoubleItem = BundleScalarItem<double, kBundleDouble>;
using BundlePointerItem = BundleScalarItem<void*, kBundlePointer>;

}  // namespace qm
