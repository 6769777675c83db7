#include "utils/bundle/BundleListItem.h"

#include <algorithm>

#include "utils/bundle/BundleSerial.h"
#include "utils/bundle/ZBundle.h"

namespace qm {

BundleListItem::~BundleListItem() {
  for (IBundle* entry : entries_) entry->Release();
}

bool BundleListItem::ReadValue(const uint8_t* bytes, uint32_t length, int depth, uint32_t& sum) {
  uint32_t offset = 0;
  while (offset < length) {
    const uint32_t rest = length - offset;
    if (rest < BundleSerial::kHeaderSize) return false;
    const uint32_t total = BundleSerial::ReadHeader(bytes + offset).totalLength;
    if (total < BundleSerial::kHeaderSize || total > rest) return false;
    ZBundlePtr entry(new ZBundle());
    uint32_t read = 0;
    if (!entry->LoadNested(bytes + offset, total, depth + 1, read, sum)) return false;
    entries_.push_back(entry.get());
    entry.release();
    offset += total;
  }
  return true;
}

bool BundleListItem::WriteValue(std::string& out, uint32_t& sum) const {
  for (IBundle* entry : entries_) {
    if (!ZBundle::WriteNested(entry, out, sum)) return false;
  }
  return true;
}

bool BundleListItem::Holds(const IBundle* bundle) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [bundle](const IBundle* entry) { return ZBundle::Reaches(entry, bundle); });
}

bool BundleListItem::RemoveValue(const IBundle* entry) {
  const auto found = std::find(entries_.begin(), entries_.end(), entry);
  if (found == entries_.end()) return false;
  IBundle* removed = *found;
  entries_.erase(found);
  removed->Release();
  return true;
}

bool BundleListItem::RemoveAt(uint32_t index) {
  if (index >= entries_.size()) return false;
  IBundle* removed = entries_[index];
  entries_.erase(entries_.begin() + index);
  removed->Release();
  return true;
}

}  // namespace qm
