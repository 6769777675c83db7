#pragma once

#include <string>

namespace strategy {

// The offer's show, kept by this process as well as in the state file. When the file cannot take
// the record (read-only, no room, no folder), the offer still counts as shown here for as long as
// the file stays as it stood at the show; once the file changes (the record landed, or a person
// took it back), the file alone decides again.
class PopShownMemory {
 public:
  // The pop-up's window has opened; stateFile is where its record goes.
  static void MarkShown(const std::wstring& stateFile);
  // True after MarkShown for this file while the file is unchanged since.
  static bool ShownInProcess(const std::wstring& stateFile);
};

}  // namespace strategy
