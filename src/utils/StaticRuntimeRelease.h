#pragma once

#include <windows.h>

namespace qm {

// Each DLL built here carries its own copy of the C++ and POSIX thread run-time libraries (linked
// statically), and two of their parts outlive an unload by FreeLibrary:
// - the first std::call_once or guarded static on a thread the thread library did not start gives
//   the thread a record holding a duplicate of its handle and an event, closed only when the thread
//   ends;
// - the C++ library's reserve for throwing when memory runs out is allocated at load and never
//   freed.
// A host that loads and frees the DLL again and again would lose a handle and an event on its
// thread and tens of KiB of memory each time. DllMain calls this on every notification; on an unload by
// FreeLibrary it gives back the calling thread's two handles and the reserve.
class StaticRuntimeRelease {
 public:
  static void OnDllMain(DWORD reason, LPVOID reserved);
};

}  // namespace qm
