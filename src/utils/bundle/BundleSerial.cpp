#include "utils/bundle/BundleSerial.h"

#include <limits>

namespace qm {

uint16_t BundleSerial::Checksum(const uint8_t* bytes, size_t size) {
  return static_cast<uint16_t>(Sum(bytes, size) & 0xFFFF);
}

uint32_t BundleSerial::Sum(const void* bytes, size_t size) {
  const auto* byte = static_cast<const uint8_t*>(bytes);
  uint32_t sum = 0;
  for (size_t i = 0; i < size; ++i) sum += static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(byte[i])));
  return sum;
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

namespace {

void PatchU16(std::string& out, size_t at, uint16_t value) {
  out[at] = static_cast<char>(value & 0xFF);
  out[at + 1] = static_cast<char>(value >> 8);
}

void PatchU32(std::string& out, size_t at, uint32_t value) {
  PatchU16(out, at, static_cast<uint16_t>(value & 0xFFFF));
  PatchU16(out, at + 2, static_cast<uint16_t>(value >> 16));
}

}  // namespace

size_t BundleSerial::BeginForm(std::string& out) {
  const size_t start = out.size();
  out.append(kHeaderSize, '\0');
  return start;
}

bool BundleSerial::EndForm(std::string& out, size_t start, uint32_t bodySum, uint32_t& sum) {
  const size_t total = out.size() - start;
  if (total > std::numeric_limits<uint32_t>::max()) return false;
  PatchU16(out, start, kVersion);
  PatchU16(out, start + 2, static_cast<uint16_t>(bodySum & 0xFFFF));
  PatchU32(out, start + 4, static_cast<uint32_t>(total));
  sum += bodySum + Sum(out.data() + start, kHeaderSize);
  return true;
}

bool BundleSerial::BeginItem(std::string& out, uint16_t type, const std::wstring& key, size_t& start, uint32_t& sum) {
  if (key.size() > std::numeric_limits<uint16_t>::max()) return false;
  start = out.size();
  PutU16(out, type);
  PutU16(out, static_cast<uint16_t>(key.size()));
  PutU32(out, 0);  // the value length, once the value is written
  const size_t keyStart = out.size();
  for (const wchar_t unit : key) PutU16(out, static_cast<uint16_t>(unit));
  sum += Sum(out.data() + keyStart, out.size() - keyStart);
  return true;
}

bool BundleSerial::EndItem(std::string& out, size_t start, uint32_t& sum) {
  const size_t valueStart =
      start + kItemHeaderSize + 2 * size_t{GetU16(reinterpret_cast<const uint8_t*>(out.data()) + start + 2)};
  const size_t valueLength = out.size() - valueStart;
  if (valueLength > std::numeric_limits<uint32_t>::max()) return false;
  PatchU32(out, start + 4, static_cast<uint32_t>(valueLength));
  sum += Sum(out.data() + start, kItemHeaderSize);
  return true;
}

void BundleSerial::Append(std::string& out, const void* bytes, size_t size, uint32_t& sum) {
  out.append(static_cast<const char*>(bytes), size);
  sum += Sum(bytes, size);
}

}  // namespace qm
