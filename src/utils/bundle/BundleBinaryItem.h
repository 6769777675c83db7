#pragma once

#include <string>

#include "utils/bundle/BundleItem.h"
#include "utils/bundle/BundleSerial.h"

namespace qm {

// A byte buffer, copied in.
class BundleBinaryItem final : public BundleItem {
 public:
  BundleBinaryItem() = default;
  BundleBinaryItem(const void* data, uint32_t size) : bytes_(static_cast<const char*>(data), size) {}
  uint16_t type() const override { return kBundleBinary; }
  bool ReadValue(const uint8_t* bytes, uint32_t length, int, uint32_t& sum) override {
    bytes_.assign(reinterpret_cast<const char*>(bytes), length);
    sum += BundleSerial::Sum(bytes, length);
    return true;
  }
  bool WriteValue(std::string& out, uint32_t& sum) const override {
    BundleSerial::Append(out, bytes_.data(), bytes_.size(), sum);
    return true;
  }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

}  // namespace qm
