#pragma once

#include <windows.h>

#include <string>

namespace demo {

// What this process holds, counted in ways that also work under Wine, where GetGuiResources and
// GetProcessHandleCount answer 0.
struct ProcessCounts {
  size_t handles = 0;       // kernel handles
  size_t windows = 0;       // this process's windows, child and message-only ones included
  size_t gdiObjects = 0;    // live GDI objects
  size_t userObjects = 0;   // GetGuiResources(GR_USEROBJECTS) where it works, else the windows
  SIZE_T privateBytes = 0;  // GetProcessMemoryInfo PrivateUsage
  SIZE_T committedPrivate = 0;  // committed private pages found by walking the address space

  static ProcessCounts Take();
  // One line naming where each figure came from on this system.
  static std::wstring Sources();
  std::wstring ToText() const;
};

}  // namespace demo
