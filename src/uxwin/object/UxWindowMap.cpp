#include "uxwin/object/UxWindowMap.h"

#include <vector>

namespace {

class Lock {
 public:
  explicit Lock(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
  ~Lock() { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION& section_;
};

}  // namespace

UxWindowMap& UxWindowMap::Instance() {
  static UxWindowMap* const instance = new UxWindowMap();
  return *instance;
}

UxWindowMap::UxWindowMap() { InitializeCriticalSection(&lock_); }

UxWindowMap::~UxWindowMap() { DeleteCriticalSection(&lock_); }

HUXWND UxWindowMap::Register(CUxWindow* window) {
  Lock guard(lock_);
  const HUXWND handle = ++next_;
  windows_[handle] = window;
  return handle;
}

void UxWindowMap::Unregister(HUXWND handle) {
  Lock guard(lock_);
  windows_.erase(handle);
}

CUxWindow* UxWindowMap::Resolve(HUXWND handle) {
  Lock guard(lock_);
  const auto found = windows_.find(handle);
  return found == windows_.end() ? nullptr : found->second;
}

void UxWindowMap::ForEach(const std::function<void(HUXWND)>& visit) {
  std::vector<HUXWND> handles;
  {
    Lock guard(lock_);
    for (const auto& entry : windows_) handles.push_back(entry.first);
  }
  for (HUXWND handle : handles) visit(handle);
}
