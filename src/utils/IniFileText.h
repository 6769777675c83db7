#pragma once

#include <cstddef>
#include <string>

namespace qm {

// Reads an INI file the way both INI classes do: whole, at most 2 MiB, UTF-8 up to the first
// zero byte, carriage returns turned into line feeds.
class IniFileText {
 public:
  static constexpr unsigned long kMaxBytes = 2 * 1024 * 1024;

  // False when the file is missing, larger than kMaxBytes, shorter than minBytes or not read whole.
  static bool Read(const std::wstring& path, std::wstring& text, unsigned long minBytes = 0);
  // UTF-8 bytes up to the first zero byte, carriage returns turned into line feeds.
  static std::wstring Decode(const char* bytes, size_t length);
};

}  // namespace qm
