#pragma once

// The VIP-centre endpoints and the signing key of the Orbilant price request, kept only in
// scrambled form and revealed just before use.

#include <array>
#include <cstddef>
#include <string>

#include "utils/ScrambledText.h"

namespace vipcenter::constants {

using qm::scramble::Key9;
using qm::scramble::KeyScrambled;

inline constexpr Key9 kUrlKey = {0x3A71, 0x0C5E, 0x6B29, 0x19D4, 0x7E03, 0x2F8A, 0x5146, 0x0B9C, 0x64E5};

inline constexpr auto kTessikConfigUrl = KeyScrambled(L"https://vipcenter.tessik.example/api/v2/config", kUrlKey);
inline constexpr auto kTessikPriceUrl = KeyScrambled(L"https://vipcenter.tessik.example/api/v2/price", kUrlKey);
inline constexpr auto kOrbilantConfigUrl = KeyScrambled(L"https://vip.orbilant.example/center/config", kUrlKey);
inline constexpr auto kOrbilantPriceUrl = KeyScrambled(L"https://vip.orbilant.example/center/price", kUrlKey);

// Bytes XORed with a repeating 9-byte key.
template <size_t N>
struct ByteScrambled {
  static constexpr size_t kLength = N - 1;
  std::array<char, kLength> bytes{};

  consteval ByteScrambled(const char (&plain)[N], const std::array<char, 9>& key) {
    for (size_t i = 0; i < kLength; ++i) bytes[i] = static_cast<char>(plain[i] ^ key[i % 9]);
  }
  std::string Reveal(const std::array<char, 9>& key) const {
    std::string plain(kLength, '\0');
    for (size_t i = 0; i < kLength; ++i) plain[i] = static_cast<char>(bytes[i] ^ key[i % 9]);
    return plain;
  }
};

inline constexpr std::array<char, 9> kSigningKeyKey = {'\x5d', '\x13', '\x7a', '\x2c', '\x61', '\x0e', '\x48', '\x36', '\x19'};
inline constexpr auto kSigningKey = ByteScrambled("q7Rz2LmK9vXe4TbN8wPa3sHd6YcF1uJg", kSigningKeyKey);
static_assert(decltype(kSigningKey)::kLength == 32, "the signing key is 32 bytes");

// The Orbilant price request's product header.
inline constexpr const wchar_t* kOrbilantProductId = L"2";

}  // namespace vipcenter::constants
