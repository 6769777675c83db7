#include "utils/StaticRuntimeRelease.h"

#include <pthread.h>

namespace __gnu_cxx {
void __freeres() noexcept;  // the C++ library's own, meant for leak checkers
}

namespace qm {

void StaticRuntimeRelease::OnDllMain(DWORD reason, LPVOID reserved) {
  // At process exit (reserved set) nothing is left to save and other threads are already gone.
  if (reason != DLL_PROCESS_DETACH || reserved != nullptr) return;
  HANDLE event = pthread_getevent();
  HANDLE thread = pthread_gethandle(pthread_self());
  if (event) CloseHandle(event);
  if (thread) CloseHandle(thread);
  // Only static destructors run after this; a throw of theirs when memory has run out would find
  // no reserve.
  __gnu_cxx::__freeres();
}

}  // namespace qm
