#pragma once

// Names the module must not carry in plain text (program and library file names, endpoints,
// registry keys, brand names) are written as literals here and scrambled at compile time: the
// plain literal never reaches the binary. Each UTF-16 unit is XORed with a repeating key.
//
//   constexpr auto kName = qm::scramble::TableScrambled(L"zvanta.dll");     // fixed 7-entry table
//   std::wstring name = kName.Reveal();
//   constexpr auto kKey = qm::scramble::Key9{...};
//   constexpr auto kUrl = qm::scramble::KeyScrambled(L"https://...", kKey);  // caller's 9-entry key
//   std::wstring url = kUrl.Reveal(kKey);

#include <array>
#include <cstddef>
#include <string>

namespace qm::scramble {

using Key7 = std::array<wchar_t, 7>;
using Key9 = std::array<wchar_t, 9>;

inline constexpr Key7 kTableKey = {0x5A3C, 0x11E7, 0x7B02, 0x2D91, 0x6C4F, 0x0A38, 0x43D6};

template <size_t Size, size_t KeySize>
constexpr std::array<wchar_t, Size> Xor(const wchar_t* text, const std::array<wchar_t, KeySize>& key) {
  std::array<wchar_t, Size> out{};
  for (size_t i = 0; i < Size; ++i) out[i] = static_cast<wchar_t>(text[i] ^ key[i % KeySize]);
  return out;
}

// Unscrambles units stored with a repeating key of any length.
template <size_t KeySize>
std::wstring Unscramble(const wchar_t* units, size_t count, const std::array<wchar_t, KeySize>& key) {
  std::wstring plain(count, L'\0');
  for (size_t i = 0; i < count; ++i) plain[i] = static_cast<wchar_t>(units[i] ^ key[i % KeySize]);
  return plain;
}

// Scrambled with the module's fixed table key.
template <size_t N>
struct TableScrambled {
  static constexpr size_t kLength = N - 1;  // without the literal's terminator
  std::array<wchar_t, kLength> units;

  consteval explicit TableScrambled(const wchar_t (&plain)[N]) : units(Xor<kLength>(plain, kTableKey)) {}
  std::wstring Reveal() const { return Unscramble(units.data(), kLength, kTableKey); }
};

// Scrambled with a 9-entry key that the caller keeps and passes back to reveal it.
template <size_t N>
struct KeyScrambled {
  static constexpr size_t kLength = N - 1;
  std::array<wchar_t, kLength> units;

  consteval KeyScrambled(const wchar_t (&plain)[N], const Key9& key) : units(Xor<kLength>(plain, key)) {}
  std::wstring Reveal(const Key9& key) const { return Unscramble(units.data(), kLength, key); }
};

}  // namespace qm::scramble
