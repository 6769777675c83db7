#include "utils/bundle/BundleStringItem.h"

#include "utils/bundle/BundleSerial.h"

namespace qm {

bool BundleStringItem::ReadValue(const uint8_t* bytes, uint32_t length, int, uint32_t& sum) {
  sum += BundleSerial::Sum(bytes, length);
  const uint32_t units = length / 2;  // an odd last byte is not part of any unit
  text_.assign(units, L'\0');
  for (uint32_t i = 0; i < units; ++i) text_[i] = static_cast<wchar_t>(BundleSerial::GetU16(bytes + 2 * i));
  return true;
}

bool BundleStringItem::WriteValue(std::string& out, uint32_t& sum) const {
  const size_t start = out.size();
  for (const wchar_t unit : text_) BundleSerial::PutU16(out, static_cast<uint16_t>(unit));
  sum += BundleSerial::Sum(out.data() + start, out.size() - start);
  return true;
}

}  // namespace qm
