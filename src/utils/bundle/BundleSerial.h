#pragma once

#include <cstdint>
#include <string>

namespace qm {

// The bundle's serial form: a header (version 1, checksum, total length) and items of a header
// (type, key length, value length), the UTF-16 key and the value, all little-endian.
class BundleSerial {
 public:
  static constexpr uint32_t kHeaderSize = 8;
  static constexpr uint32_t kItemHeaderSize = 8;
  static constexpr uint16_t kVersion = 1;
  // Nested bundles and lists deeper than this are refused, so hostile input cannot exhaust the stack.
  static constexpr int kMaxDepth = 64;

  struct Header {
    uint16_t version = 0;
    uint16_t checksum = 0;
    uint32_t totalLength = 0;
  };
  struct ItemHeader {
    uint16_t type = 0;
    uint16_t keyUnits = 0;
    uint32_t valueLength = 0;
  };

  // The sum of the bytes, each taken as a signed 8-bit value, modulo 65,536.
  static uint16_t Checksum(const uint8_t* bytes, size_t size);
  static Header ReadHeader(const uint8_t* bytes);
  static ItemHeader ReadItemHeader(const uint8_t* bytes);
  // Wraps a body into a complete serial form; false when it would exceed the 32-bit length.
  static bool Wrap(const std::string& body, std::string& out);
  // Appends one item; false when the key or the value is too long for its field.
  static bool AppendItem(std::string& body, uint16_t type, const std::wstring& key, const std::string& value);

  static void PutU16(std::string& out, uint16_t value);
  static void PutU32(std::string& out, uint32_t value);
  static uint16_t GetU16(const uint8_t* bytes);
  static uint32_t GetU32(const uint8_t* bytes);
};

}  // namespace qm
