#pragma once

#include <vector>

#include "utils/bundle/BundleItem.h"

namespace qm {

// An ordered list of bundles, each owned: released when removed or with the list.
class BundleListItem final : public BundleItem {
 public:
  BundleListItem() = default;
  ~BundleListItem() override;
  BundleListItem(const BundleListItem&) = delete;
  BundleListItem& operator=(const BundleListItem&) = delete;

  uint16_t type() const override { return kBundleList; }
  bool ReadValue(const uint8_t* bytes, uint32_t length, int depth, uint32_t& sum) override;
  bool WriteValue(std::string& out, uint32_t& sum) const override;
  bool Holds(const IBundle* bundle) const override;

  void Append(IBundle* entry) { entries_.push_back(entry); }
  bool RemoveValue(const IBundle* entry);
  bool RemoveAt(uint32_t index);
  const std::vector<IBundle*>& entries() const { return entries_; }

 private:
  std::vector<IBundle*> entries_;
};

}  // namespace qm
