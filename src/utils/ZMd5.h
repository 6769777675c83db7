#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qm::encoding {

using Md5Digest = std::array<uint8_t, 16>;

// MD5 as published in RFC 1321, fed in pieces.
class ZMd5 {
 public:
  ZMd5() { Init(); }
  void Init();
  void Update(const void* data, size_t length);
  Md5Digest Final();

  // 32 lower-case hexadecimal digits, high nibble first.
  static std::string Hex(const Md5Digest& digest);
  static std::wstring HexW(const Md5Digest& digest);
  static Md5Digest Of(const void* data, size_t length);
  // Digest of a file read in 4,096-byte blocks; false when it cannot be opened or read.
  static bool OfFile(const std::wstring& path, Md5Digest& digest);

 private:
  void Transform(const uint8_t block[64]);

  uint64_t byteCount_ = 0;
  uint32_t state_[4] = {};
  uint8_t buffer_[64] = {};
  size_t bufferFill_ = 0;
};

}  // namespace qm::encoding
