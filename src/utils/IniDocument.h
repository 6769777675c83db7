#pragma once

#include <map>
#include <string>

namespace qm {

using IniSection = std::map<std::wstring, std::wstring>;  // key -> value, ordinal order of the key
using IniSections = std::map<std::wstring, IniSection>;   // section -> keys

// The two-level map and the line parser that ZIniWrapEx and ZIniReader share. Names are stored
// and looked up in lower case; parsing stops at the first line that does not parse.
class IniDocument {
 public:
  // Parses from the first "[" on; false when there is none or a line fails.
  bool ParseText(const std::wstring& text);
  void Set(const std::wstring& section, const std::wstring& key, const std::wstring& value);
  // Null when the section or key is missing.
  const std::wstring* Find(const std::wstring& section, const std::wstring& key) const;
  // "[section]" CR LF then "key=value" CR LF per key, in map order, no blank lines. Pairs stored
  // under the empty section name (before any header) are left out, with one WARN line.
  std::wstring ToText() const;
  void Clear();

  const IniSections& Sections() const { return sections_; }

 private:
  bool ParseLine(std::wstring line);

  IniSections sections_;
  std::wstring currentSection_;
  IniSection* currentKeys_ = nullptr;  // the current section's pairs; map nodes never move
  mutable bool warnedEmptySection_ = false;
};

}  // namespace qm
