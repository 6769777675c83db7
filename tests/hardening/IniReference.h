#pragma once

#include <string>

#include "utils/IniDocument.h"

namespace hardening {

// The INI line rules written out a second time, plainly, to compare the module's parser with:
// from the first "[", line by line, stop at the first line that does not parse.
class IniReference {
 public:
  static bool Parse(const std::wstring& text, qm::IniSections& sections);

 private:
  static bool Line(std::wstring line, std::wstring& section, qm::IniSections& sections);
};

}  // namespace hardening
