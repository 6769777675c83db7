#include <windows.h>

#include "common/StandInExport.h"
#include "family/Vanta.h"
#include "zvanta/VantaRoot.h"

// "null-object": the export succeeds without an object; "fail": it refuses; "start-false" and
// "no-component" are the root's (VantaRoot).
// Exported as DllGetClassObject (zvanta.def); the system headers declare that name with COM's
// three-argument signature, which this family's libraries do not use.
extern "C" HRESULT __stdcall VantaGetClassObject(const GUID* iid, void** out) {
  if (!iid || !out || !IsEqualGUID(*iid, vanta::kVantaRootId)) return E_FAIL;
  return siblings::HandOutAsTold(siblings::VantaRoot::Behaviour(), out, [] {
    return static_cast<vanta::IBaseInterface*>(new siblings::VantaRoot());
  });
}
