#pragma once

#include <windows.h>

#include <string>

namespace qm {

// Paths of the images in this process: the host executable and the module this code is part of.
class ModulePaths {
 public:
  static std::wstring Executable();      // "" when longer than MAX_PATH
  static HMODULE OwnModule();            // the DLL (or program) that contains this code
  static std::wstring Of(HMODULE module);
  static std::wstring FileName(const std::wstring& path);  // after the last "\" or "/"
  static std::wstring BaseName(const std::wstring& path);  // file name without extension
};

}  // namespace qm
