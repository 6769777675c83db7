#pragma once

#include <string>

#include "utils/bundle/BundleItem.h"

namespace qm {

// A wide string, copied in; its serial value is the UTF-16 units without a terminator.
class BundleStringItem final : public BundleItem {
 public:
  explicit BundleStringItem(std::wstring text = {}) : text_(std::move(text)) {}
  uint16_t type() const override { return kBundleString; }
  bool ReadValue(const uint8_t* bytes, uint32_t length, int depth, uint32_t& sum) override;
  bool WriteValue(std::string& out, uint32_t& sum) const override;
  const std::wstring& text() const { return text_; }

 private:
  std::wstring text_;
};

}  // namespace qm
