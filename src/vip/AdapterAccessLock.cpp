#include "vip/AdapterAccessLock.h"

namespace vip {

AdapterAccessLock::AdapterAccessLock()
    : freeEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), queue_(CreateMutexW(nullptr, FALSE, nullptr)) {
  InitializeCriticalSection(&section_);
}

AdapterAccessLock::~AdapterAccessLock() {
  DeleteCriticalSection(&section_);
}

bool AdapterAccessLock::MustWait(State wanted) {
  EnterCriticalSection(&section_);
  const bool wait = wanted == kShared ? state_ == kExclusive : state_ != kFree;
  LeaveCriticalSection(&section_);
  return wait;
}

void AdapterAccessLock::Acquire(State wanted) {
  WaitForSingleObject(queue_.get(), INFINITE);
  // Only releasers change the state meanwhile, and they signal the event when it becomes free.
  while (MustWait(wanted)) WaitForSingleObject(freeEvent_.get(), INFINITE);
  EnterCriticalSection(&section_);
  state_ = wanted;
  if (wanted == kShared) ++sharedCount_;
  ResetEvent(freeEvent_.get());
  LeaveCriticalSection(&section_);
  ReleaseMutex(queue_.get());
}

void AdapterAccessLock::LockShared() {
  Acquire(kShared);
}

void AdapterAccessLock::LockExclusive() {
  Acquire(kExclusive);
}

void AdapterAccessLock::Unlock() {
  EnterCriticalSection(&section_);
  if (state_ == kShared && sharedCount_ > 0) --sharedCount_;
  if (state_ == kExclusive || sharedCount_ == 0) {
    state_ = kFree;
    SetEvent(freeEvent_.get());
  }
  LeaveCriticalSection(&section_);
}

AdapterAccessLock::State AdapterAccessLock::state() {
  EnterCriticalSection(&section_);
  const State current = state_;
  LeaveCriticalSection(&section_);
  return current;
}

int AdapterAccessLock::sharedCount() {
  EnterCriticalSection(&section_);
  const int count = sharedCount_;
  LeaveCriticalSection(&section_);
  return count;
}

}  // namespace vip
