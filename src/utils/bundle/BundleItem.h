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
  // Reads the value from exactly these bytes; depth counts the bundles around it.
  virtual bool ReadValue(const uint8_t* bytes, uint32_t length, int depth) = 0;
  virtual bool WriteValue(std::string& out) const = 0;
  // Whether the bundle is this item's value or lies inside it (a put must not make a cycle).
  virtual bool Holds(const IBundle*) const { return false; }
};

}  // namespace qm
