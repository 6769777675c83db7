#pragma once

#include <string>

namespace siblings {

// "<component>.behaviour" beside the stand-in's own file: a word or two that makes the stand-in
// fail on purpose ("fail", "null-object", "no-component", ...). Missing: the stand-in behaves.
class BehaviourFile {
 public:
  // The file's first bytes (at most 63), or "" without a file.
  static std::string Read(const std::wstring& fileName);
};

}  // namespace siblings
