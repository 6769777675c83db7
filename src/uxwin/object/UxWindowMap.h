#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <unordered_map>

class CUxWindow;
using HUXWND = uint32_t;

// Every live window by handle. Handles are never reused, so a handle kept after its window was
// destroyed resolves to nothing.
class UxWindowMap {
 public:
  static UxWindowMap& Instance();
  UxWindowMap();
  ~UxWindowMap();

  HUXWND Register(CUxWindow* window);
  void Unregister(HUXWND handle);
  CUxWindow* Resolve(HUXWND handle);
  // Calls visit for every window; the lock is not held during the calls.
  void ForEach(const std::function<void(HUXWND)>& visit);

 private:
  CRITICAL_SECTION lock_;
  std::unordered_map<HUXWND, CUxWindow*> windows_{17};
  HUXWND next_ = 0;
};
