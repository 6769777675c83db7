#include "utils/bundle/BundleNestedItem.h"

#include "utils/bundle/ZBundle.h"

namespace qm {

BundleNestedItem::~BundleNestedItem() {
  if (bundle_) bundle_->Release();
}

bool BundleNestedItem::ReadValue(const uint8_t* bytes, uint32_t length, int depth) {
  auto* nested = new ZBundle();
  // The value is exactly one complete serial form.
  uint32_t total = 0;
  if (!nested->LoadAt(bytes, length, depth + 1, &total) || total != length) {
    nested->Release();
    return false;
  }
  if (bundle_) bundle_->Release();
  bundle_ = nested;
  return true;
}

bool BundleNestedItem::WriteValue(std::string& out) const {
  if (!bundle_) return false;
  uint32_t length = 0;
  const void* bytes = bundle_->Serialize(&length);
  if (!bytes) return false;
  out.append(static_cast<const char*>(bytes), length);
  return true;
}

bool BundleNestedItem::Holds(const IBundle* bundle) const {
  return ZBundle::Reaches(bundle_, bundle);
}

}  // namespace qm
