#pragma once

#include <windows.h>

#include "utils/ScopedHandle.h"

namespace vip {

// The facade's reader/writer lock: many shared holders or one exclusive holder. Acquirers queue on
// an unnamed mutex, then wait on a manual-reset event until the lock is free enough; the state and
// the count of shared holders change under a critical section. Not re-entrant.
class AdapterAccessLock {
 public:
  enum State : int { kFree = 0, kShared = 1, kExclusive = 2 };

  AdapterAccessLock();
  ~AdapterAccessLock();
  AdapterAccessLock(const AdapterAccessLock&) = delete;
  AdapterAccessLock& operator=(const AdapterAccessLock&) = delete;

  void LockShared();
  void LockExclusive();
  void Unlock();  // either mode

  State state();
  int sharedCount();

  class Shared {
   public:
    explicit Shared(AdapterAccessLock& lock) : lock_(lock) { lock_.LockShared(); }
    ~Shared() { lock_.Unlock(); }
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

   private:
    AdapterAccessLock& lock_;
  };

  class Exclusive {
   public:
    explicit Exclusive(AdapterAccessLock& lock) : lock_(lock) { lock_.LockExclusive(); }
    ~Exclusive() { lock_.Unlock(); }
    Exclusive(const Exclusive&) = delete;
    Exclusive& operator=(const Exclusive&) = delete;

   private:
    AdapterAccessLock& lock_;
  };

 private:
  void Acquire(State wanted);
  bool MustWait(State wanted);

  State state_ = kFree;
  int sharedCount_ = 0;
  qm::ScopedHandle freeEvent_;
  qm::ScopedHandle queue_;
  CRITICAL_SECTION section_;
};

}  // namespace vip
