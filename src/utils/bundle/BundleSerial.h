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
  // The same sum before the modulo. Sums add up, so a form's sum is built from its parts' sums and
  // no byte of a nested form is summed again at every level around it.
  static uint32_t Sum(const void* bytes, size_t size);
  static Header ReadHeader(const uint8_t* bytes);
  static ItemHeader ReadItemHeader(const uint8_t* bytes);

  // Writing in place: a form's header and an item's value length are written once what follows
  // them is known. Begin* return the offset that the matching End* patches; End* are false when a
  // length does not fit its field. Every byte appended is added to sum.
  static size_t BeginForm(std::string& out);
  static bool EndForm(std::string& out, size_t start, uint32_t bodySum, uint32_t& sum);
  static bool BeginItem(std::string& out, uint16_t type, const std::wstring& key, size_t& start, uint32_t& sum);
  static bool EndItem(std::string& out, size_t start, uint32_t& sum);
  static void Append(std::string& out, const void* bytes, size_t size, uint32_t& sum);

  static void PutU16(std::string& out, uint16_t value);
  static void PutU32(std::string& out, uint32_t value);
  static uint16_t GetU16(const uint8_t* bytes);
  static uint32_t GetU32(const uint8_t* bytes);
};

}  // namespace qm
