#pragma once

#include "utils/bundle/BundleItem.h"

namespace qm {

// A nested bundle, owned: released with the item.
class BundleNestedItem final : public BundleItem {
 public:
  explicit BundleNestedItem(IBundle* bundle = nullptr) : bundle_(bundle) {}
  ~BundleNestedItem() override;
  BundleNestedItem(const BundleNestedItem&) = delete;
  BundleNestedItem& operator=(const BundleNestedItem&) = delete;

  uint16_t type() const override { return kBundleNested; }
  bool ReadValue(const uint8_t* bytes, uint32_t length, int depth, uint32_t& sum) override;
  bool WriteValue(std::string& out, uint32_t& sum) const override;
  bool Holds(const IBundle* bundle) const override;
  IBundle* bundle() const { return bundle_; }

 private:
  IBundle* bundle_;
};

}  // namespace qm
