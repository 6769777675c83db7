#include <windows.h>

#include <cstdio>
#include <string>

#include "family/Vanta.h"
#include "zvanta/VantaRoot.h"
#include "utils/StaticRuntimeRelease.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  qm::StaticRuntimeRelease::OnDllMain(reason, reserved);
  return TRUE;
}

// "null-object": the export succeeds without an object; "fail": it refuses; "start-false" and
// "no-component" are the root's (VantaRoot).
// Exported as DllGetClassObject (zvanta.def); the system headers declare that name with COM's
// three-argument signature, which this family's libraries do not use.
extern "C" HRESULT __stdcall VantaGetClassObject(const GUID* iid, void** out) {
  if (!iid || !out || !IsEqualGUID(*iid, vanta::kVantaRootId)) return E_FAIL;
  const std::string behaviour = siblings::VantaRoot::Behaviour();
  if (behaviour.rfind("fail", 0) == 0) return E_FAIL;
  if (behaviour.rfind("null-object", 0) == 0) {
    *out = nullptr;
    return S_OK;
  }
  try {
    *out = static_cast<vanta::IBaseInterface*>(new siblings::VantaRoot());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}
