#include <windows.h>

#include "common/StandInExport.h"
#include "family/DomainTransfer.h"
#include "wexutil/WexUtilTransfer.h"

// Two arguments, as the family's libraries hand out their objects. "wexutil.behaviour" holding
// "null-object" makes it succeed without one, "fail" refuse.
extern "C" HRESULT __stdcall DllGetClassObject(const GUID* iid, void** out) {
  if (!iid || !out || !IsEqualGUID(*iid, qm::kDomainTransferId)) return E_FAIL;
  return siblings::HandOutAsTold(siblings::WexUtilTransfer::Behaviour(), out, [] {
    return static_cast<qm::IDomainTransfer*>(new siblings::WexUtilTransfer());
  });
}
