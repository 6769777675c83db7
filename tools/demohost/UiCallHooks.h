#pragma once

namespace demo {

// The counting wrappers UiCallProbe puts into import tables: each one reports to the probe and
// calls the function it stands for.
class UiCallHooks {
 public:
  struct Entry {
    const char* name;   // the imported function's name
    void* replacement;  // the wrapper
    void** original;    // where the wrapper finds the real function (set by the first patch)
  };

  // The wrapper for an imported function of this name, or nullptr.
  static const Entry* Find(const char* name);
};

}  // namespace demo
