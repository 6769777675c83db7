#pragma once

#include <windows.h>

namespace vip {

// A Win32 critical section that can tell whether the calling thread holds it.
class VipCriticalSection {
 public:
  VipCriticalSection() { InitializeCriticalSection(&section_); }
  ~VipCriticalSection() { DeleteCriticalSection(&section_); }
  VipCriticalSection(const VipCriticalSection&) = delete;
  VipCriticalSection& operator=(const VipCriticalSection&) = delete;

  void Enter() { EnterCriticalSection(&section_); }
  void Leave() { LeaveCriticalSection(&section_); }
  bool HeldByCurrentThread() const {
    return reinterpret_cast<uintptr_t>(section_.OwningThread) == static_cast<uintptr_t>(GetCurrentThreadId());
  }

  class Hold {
   public:
    explicit Hold(VipCriticalSection& section) : section_(section) { section_.Enter(); }
    ~Hold() { section_.Leave(); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    VipCriticalSection& section_;
  };

 private:
  CRITICAL_SECTION section_;
};

}  // namespace vip
