#pragma once

#include <windows.h>

#include <string>

#include "family/Vanta.h"

namespace vanta {

// The loaded "zvanta.dll": its module handle and started root object.
class VantaLibrary {
 public:
  VantaLibrary() = default;
  ~VantaLibrary();
  VantaLibrary(const VantaLibrary&) = delete;
  VantaLibrary& operator=(const VantaLibrary&) = delete;

  // Loads the library, obtains the root object and starts it; false (and nothing held) on any failure.
  bool Load(const std::wstring& path);
  void Unload();

  IBaseInterface* root() const { return root_; }
  const std::wstring& path() const { return path_; }

 private:
  IBaseInterface* root_ = nullptr;
  HMODULE module_ = nullptr;
  std::wstring path_;
  bool handleNotOwned_ = false;  // always cleared: the wrapper loads the library itself
};

}  // namespace vanta
