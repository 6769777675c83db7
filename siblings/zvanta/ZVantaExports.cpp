#include <windows.h>

#include "family/Vanta.h"
#include "zvanta/VantaRoot.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

// Exported as DllGetClassObject (zvanta.def); the system headers declare that name with COM's
// three-argument signature, which this family's libraries do not use.
extern "C" HRESULT __stdcall VantaGetClassObject(const GUID* iid, void** out) {
  if (!iid || !out || !IsEqualGUID(*iid, vanta::kVantaRootId)) return E_FAIL;
  try {
    *out = static_cast<vanta::IBaseInterface*>(new siblings::VantaRoot());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}
