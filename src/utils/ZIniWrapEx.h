#pragma once

#include <string>

#include "utils/IniDocument.h"

namespace qm {

// The module's own INI state files: read whole, changed in memory, written back whole as UTF-8
// with a byte-order mark. Saving never leaves a torn file: the old one stays until the new one
// is complete.
class ZIniWrapEx {
 public:
  // True when the file was read, whatever the parse result; the document is cleared first.
  bool Load(const std::wstring& path);
  virtual bool Parse(const std::wstring& text);  // slot 0: parse into the document, not cleared first
  virtual bool ToText(std::wstring& text);       // slot 1: always true
  void Set(const std::wstring& section, const std::wstring& key, const std::wstring& value);
  bool Save(const std::wstring& path);

  const std::wstring* Find(const std::wstring& section, const std::wstring& key) const {
    return document_.Find(section, key);
  }
  const IniSections& Sections() const { return document_.Sections(); }

 private:
  IniDocument document_;
};

}  // namespace qm
