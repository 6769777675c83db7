#pragma once

#include <string>

#include "utils/IniDocument.h"

namespace qm {

// Read-only reader of the host's INI configuration files.
class ZIniReader {
 public:
  // True only when the file was read and every line parsed; pairs before a bad line stay readable.
  bool Load(const std::wstring& path);
  // The same from text already in memory (a descrambled file).
  bool LoadText(const std::wstring& text);
  // The value through the C library's wide-string-to-int rule; the default when missing.
  int GetInt(const std::wstring& section, const std::wstring& key, int defaultValue) const;
  std::wstring GetString(const std::wstring& section, const std::wstring& key,
                         const std::wstring& defaultValue) const;

  const IniSections& Sections() const { return document_.Sections(); }

 private:
  IniDocument document_;
};

}  // namespace qm
