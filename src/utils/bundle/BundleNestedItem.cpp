#include "utils/bundle/BundleNestedItem.h"

#include "utils/bundle/ZBundle.h"

namespace qm {

BundleNestedItem::~BundleNestedItem() {
  if (bundle_) bundle_->Release();
}

bool BundleNestedItem::ReadValue(const uint8_t* bytes, uint32_t length, int depth, uint32_t& sum) {
  ZBundlePtr nested(new ZBundle());
  // The value is exactly one complete serial form.
  uint32_t total = 0;
  if (!nested->LoadNested(bytes, length, depth + 1, total, sum) || total != length) return false;
  if (bundle_) bundle_->Release();
  bundle_ = nested.release();
  return true;
}

bool BundleNestedItem::WriteValue(std::string& out, uint32_t& sum) const {
  return bundle_ && ZBundle::WriteNested(bundle_, out, sum);
}

bool BundleNestedItem::Holds(const IBundle* bundle) const {
  return ZBundle::Reaches(bundle_, bundle);
}

}  // namespace qm
