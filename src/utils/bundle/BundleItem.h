#pragma once

#include <cstdint>
#include <string>

#include "family/Bundle.h"

namespace qm {

// One value of a bundle: its type code, and its value bytes in the serial form.
class BundleItem {
 public:
  virtual ~BundleItem() = default;
  virtual uint16_t type() const = 0;
  // Reads the value from exactly these bytes; depth counts the bundles around it. The bytes' sum
  // (BundleSerial::Sum) is added to sum, so the bundle around it checks its checksum without
  // summing them again.
  virtual bool ReadValue(const uint8_t* bytes, uint32_t length, int depth, uint32_t& sum) = 0;
  // Appends the value and adds the appended bytes' sum to sum.
  virtual bool WriteValue(std::string& out, uint32_t& sum) const = 0;
  // Whether the bundle is this item's value or lies inside it (a put must not make a cycle).
  virtual bool Holds(const IBundle*) const { return false; }
};

}  // namespace qm
