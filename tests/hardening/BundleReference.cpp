#include "BundleReference.h"

#include <set>
#include <string>

namespace hardening {

namespace {

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

}  // namespace

bool BundleReference::ValidValue(uint16_t type, const uint8_t* value, uint32_t length, int depth) {
  switch (type) {
    case 1: case 4: return length == 4;
    case 2: case 3: return length == 8;
    case 5: case 6: return true;
    case 7: {
      uint32_t total = 0;
      return Valid(value, length, depth + 1, total) && total == length;
    }
    case 8: {
      uint32_t offset = 0;
      while (offset < length) {
        if (length - offset < 8) return false;
        const uint32_t total = U32(value + offset + 4);
        if (total < 8 || total > length - offset) return false;
        uint32_t entryTotal = 0;
        if (!Valid(value + offset, total, depth + 1, entryTotal)) return false;
        offset += total;
      }
      return true;
    }
    default: return false;
  }
}

bool BundleReference::Valid(const uint8_t* data, uint32_t length, int depth, uint32_t& total) {
  if (!data || length < 8 || depth > kMaxDepth) return false;
  if (U16(data) != 1) return false;
  total = U32(data + 4);
  if (total < 8 || total > length) return false;
  uint32_t sum = 0;
  for (uint32_t i = 8; i < total; ++i) sum += static_cast<uint32_t>(static_cast<int8_t>(data[i]));
  if (static_cast<uint16_t>(sum) != U16(data + 2)) return false;
  std::set<std::u16string> keys;
  uint64_t offset = 8;
  while (offset < total) {
    if (total - offset < 8) return false;
    const uint8_t* item = data + offset;
    const uint16_t type = U16(item), units = U16(item + 2);
    const uint32_t valueLength = U32(item + 4);
    const uint64_t end = offset + 8 + 2ull * units + valueLength;
    if (end > total || type < 1 || type > 8) return false;
    std::u16string key(units, u'\0');
    for (uint16_t i = 0; i < units; ++i) key[i] = U16(item + 8 + 2 * i);
    if (!ValidValue(type, item + 8 + 2 * units, valueLength, depth)) return false;
    if (!keys.insert(key).second) return false;
    offset = end;
  }
  return true;
}

}  // namespace hardening
