#pragma once

// Keys that all share one std::hash<std::wstring> value, as a hostile answer could choose them.
// libstdc++ hashes the bytes with a Murmur hash of fixed seed, one machine word at a time: the hash
// takes each word's mixed value D as h = (h ^ D) * m (64-bit) or h = h * m ^ D (32-bit). Flipping
// the top bit of two successive mixed values cancels out whatever h was, so every block pair has a
// twin, and n pairs give 2^n keys of one length and one hash. The mixing is invertible, so the
// twin's units are found from its mixed values. Every unit is printable text: no control
// character, quotation mark, backslash or surrogate, so a key stands in JSON text as it is.

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

namespace test_keys {

namespace detail {

using Word = std::conditional_t<sizeof(size_t) == 8, uint64_t, uint32_t>;
constexpr size_t kUnitsPerWord = sizeof(Word) / sizeof(wchar_t);
constexpr Word kTopBit = Word{1} << (sizeof(Word) * 8 - 1);
constexpr Word kMul = sizeof(Word) == 8 ? static_cast<Word>((uint64_t{0xc6a4a793} << 32) + 0x5bd1e995) : 0x5bd1e995;

constexpr Word Inverse(Word odd) {
  Word x = odd;  // right in 3 bits; each step doubles them
  for (int i = 0; i < 6; ++i) x *= Word{2} - odd * x;
  return x;
}

// v ^ (v >> s) with 2s at least the width is its own inverse.
constexpr Word ShiftMix(Word v) {
  return sizeof(Word) == 8 ? v ^ (v >> 47) : v ^ (v >> 24);
}

constexpr Word Mix(Word k) {
  return ShiftMix(k * kMul) * kMul;
}
constexpr Word Unmix(Word d) {
  return ShiftMix(d * Inverse(kMul)) * Inverse(kMul);
}

inline bool Printable(wchar_t unit) {
  return unit >= 0x20 && unit != L'"' && unit != L'\\' && unit != 0x7F && (unit < 0xD800 || unit > 0xDFFF) &&
         unit < 0xFFFE;
}

inline Word WordOf(const wchar_t* units) {
  Word word = 0;
  for (size_t i = 0; i < kUnitsPerWord; ++i) word |= Word{static_cast<uint16_t>(units[i])} << (16 * i);
  return word;
}

inline bool UnitsOf(Word word, std::wstring& out) {
  for (size_t i = 0; i < kUnitsPerWord; ++i) {
    const auto unit = static_cast<wchar_t>((word >> (16 * i)) & 0xFFFF);
    if (!Printable(unit)) return false;
    out += unit;
  }
  return true;
}

}  // namespace detail

// 2^pairs distinct keys of 2 * pairs words each, all of one hash.
inline std::vector<std::wstring> CollidingKeys(int pairs, uint32_t seed = 20240601) {
  using namespace detail;
  std::mt19937 random(seed);
  std::vector<std::wstring> plain;  // per pair: the block pair, then its twin
  std::vector<std::wstring> twin;
  while (static_cast<int>(plain.size()) < pairs) {
    std::wstring blocks;
    for (size_t i = 0; i < 2 * kUnitsPerWord; ++i) blocks += static_cast<wchar_t>(0x4E00 + random() % 0x5000);
    std::wstring other;
    if (UnitsOf(Unmix(Mix(WordOf(blocks.data())) ^ kTopBit), other) &&
        UnitsOf(Unmix(Mix(WordOf(blocks.data() + kUnitsPerWord)) ^ kTopBit), other)) {
      plain.push_back(blocks);
      twin.push_back(other);
    }
  }
  std::vector<std::wstring> keys(size_t{1} << pairs);
  for (size_t index = 0; index < keys.size(); ++index) {
    for (int pair = 0; pair < pairs; ++pair) keys[index] += (index >> pair) & 1 ? twin[pair] : plain[pair];
  }
  return keys;
}

}  // namespace test_keys
