#include "utils/ZMd5.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "utils/ScopedHandle.h"

namespace qm::encoding {

namespace {

constexpr uint32_t kSines[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
constexpr int kShifts[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                             5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                             4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                             6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

inline uint32_t RotateLeft(uint32_t value, int count) { return (value << count) | (value >> (32 - count)); }

}  // namespace

void ZMd5::Init() {
  byteCount_ = 0;
  bufferFill_ = 0;
  state_[0] = 0x67452301;
  state_[1] = 0xefcdab89;
  state_[2] = 0x98badcfe;
  state_[3] = 0x10325476;
}

void ZMd5::Transform(const uint8_t block[64]) {
  // Windows runs little-endian only: the block's words are its bytes as they lie.
  uint32_t words[16];
  std::memcpy(words, block, sizeof(words));
  uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
  // Unrolled, every step's function, word and shift are constants.
#pragma GCC unroll 64
  for (int i = 0; i < 64; ++i) {
    uint32_t f;
    int g;
    if (i < 16) {
      f = (b & c) | (~b & d);
      g = i;
    } else if (i < 32) {
      f = (d & b) | (~d & c);
      g = (5 * i + 1) % 16;
    } else if (i < 48) {
      f = b ^ c ^ d;
      g = (3 * i + 5) % 16;
    } else {
      f = c ^ (b | ~d);
      g = (7 * i) % 16;
    }
    const uint32_t rotated = RotateLeft(a + f + kSines[i] + words[g], kShifts[i]);
    a = d;
    d = c;
    c = b;
    b += rotated;
  }
  state_[0] += a;
  state_[1] += b;
  state_[2] += c;
  state_[3] += d;
}

void ZMd5::Update(const void* data, size_t length) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  byteCount_ += length;
  if (bufferFill_ > 0) {
    const size_t take = std::min(length, sizeof(buffer_) - bufferFill_);
    std::memcpy(buffer_ + bufferFill_, bytes, take);
    bufferFill_ += take;
    bytes += take;
    length -= take;
    if (bufferFill_ < sizeof(buffer_)) return;
    Transform(buffer_);
    bufferFill_ = 0;
  }
  for (; length >= 64; bytes += 64, length -= 64) Transform(bytes);
  std::memcpy(buffer_, bytes, length);
  bufferFill_ = length;
}

Md5Digest ZMd5::Final() {
  const uint64_t bitCount = byteCount_ * 8;
  static const uint8_t kPadding[64] = {0x80};
  const size_t padLength = bufferFill_ < 56 ? 56 - bufferFill_ : 120 - bufferFill_;
  Update(kPadding, padLength);
  uint8_t lengthBytes[8];
  for (int i = 0; i < 8; ++i) lengthBytes[i] = static_cast<uint8_t>(bitCount >> (8 * i));
  Update(lengthBytes, 8);
  Md5Digest digest;
  for (int i = 0; i < 16; ++i) digest[i] = static_cast<uint8_t>(state_[i / 4] >> (8 * (i % 4)));
  Init();
  return digest;
}

std::string ZMd5::Hex(const Md5Digest& digest) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(32);
  for (uint8_t byte : digest) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0f];
  }
  return text;
}

std::wstring ZMd5::HexW(const Md5Digest& digest) {
  const std::string hex = Hex(digest);
  return std::wstring(hex.begin(), hex.end());
}

Md5Digest ZMd5::Of(const void* data, size_t length) {
  ZMd5 md5;
  md5.Update(data, length);
  return md5.Final();
}

bool ZMd5::OfFile(const std::wstring& path, Md5Digest& digest) {
  const ScopedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return false;
  ZMd5 md5;
  // Large reads: each ReadFile is a round trip through the system (and under Wine a costly one).
  std::vector<uint8_t> block(256 * 1024);
  DWORD read = 0;
  bool ok = true;
  while ((ok = ReadFile(file.get(), block.data(), static_cast<DWORD>(block.size()), &read, nullptr) != FALSE) &&
         read > 0) {
    md5.Update(block.data(), read);
  }
  if (ok) digest = md5.Final();
  return ok;
}

}  // namespace qm::encoding
