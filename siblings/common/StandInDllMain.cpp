// The entry point of every stand-in library: each carries its own static run-time, which must
// give back what it holds when a host frees the library.
#include <windows.h>

#include "utils/StaticRuntimeRelease.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  qm::StaticRuntimeRelease::OnDllMain(reason, reserved);
  return TRUE;
}
