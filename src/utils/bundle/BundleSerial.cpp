#include "utils/bundle/BundleSerial.h"

#include <limits>

namespace qm {

uint16_t BundleSerial::Checksum(const uint8_t* bytes, size_t size) {
  uint32_t sum = 0;
  for (size_t i = 0; i < size; ++i) sum += static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(bytes[i])));
  return static_cast<uint16_t>(sum & 0xFFFF);
}

void BundleSerial::PutU16(std::string& out, uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void BundleSerial::PutU32(std::string& out, uint32_t value) {
  PutU16(out, static_cast<uint16_t>(value & 0xFFFF));
  PutU16(out, static_cast<uint16_t>(value >> 16));
}

uint16_t BundleSerial::GetU16(const uint8_t* bytes) {
  return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

uint32_t BundleSerial::GetU32(const uint8_t* bytes) {
  return static_cast<uint32_t>(GetU16(bytes)) | (static_cast<uint32_t>(GetU16(bytes + 2)) << 16);
}

BundleSerial::Header BundleSerial::ReadHeader(const uint8_t* bytes) {
  return {GetU16(bytes), GetU16(bytes + 2), GetU32(bytes + 4)};
}

BundleSerial::ItemHeader BundleSerial::ReadItemHeader(const uint8_t* bytes) {
  return {GetU16(bytes), GetU16(bytes + 2), GetU32(bytes + 4)};
}

bool BundleSerial::Wrap(const std::string& body, std::string& out) {
  if (body.size() > std::numeric_limits<uint32_t>::max() - kHeaderSize) return false;
  out.clear();
  out.reserve(body.size() + kHeaderSize);
  PutU16(out, kVersion);
  PutU16(out, Checksum(reinterpret_cast<const uint8_t*>(body.data()), body.size()));
  PutU32(out, static_cast<uint32_t>(body.size() + kHeaderSize));
  out += body;
  return true;
}

bool BundleSerial::AppendItem(std::string& body, uint16_t type, const std::wstring& key, const std::string& value) {
  if (key.size() > std::numeric_limits<uint16_t>::max()) return false;
  if (value.size() > std::numeric_limits<uint32_t>::max()) return false;
  PutU16(body, type);
  PutU16(body, static_cast<uint16_t>(key.size()));
  PutU32(body, static_cast<uint32_t>(value.size()));
  for (const wchar_t unit : key) PutU16(body, static_cast<uint16_t>(unit));
  body += value;
  return true;
}

}  // namespace qm
