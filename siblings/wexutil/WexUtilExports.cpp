#include <windows.h>

#include <new>
#include <string>

#include "family/DomainTransfer.h"
#include "wexutil/WexUtilTransfer.h"
#include "utils/StaticRuntimeRelease.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  qm::StaticRuntimeRelease::OnDllMain(reason, reserved);
  return TRUE;
}

// Two arguments, as the family's libraries hand out their objects. "wexutil.behaviour" holding
// "null-object" makes it succeed without one, "fail" refuse.
extern "C" HRESULT __stdcall DllGetClassObject(const GUID* iid, void** out) {
  if (!iid || !out || !IsEqualGUID(*iid, qm::kDomainTransferId)) return E_FAIL;
  const std::string behaviour = siblings::WexUtilTransfer::Behaviour();
  if (behaviour.rfind("fail", 0) == 0) return E_FAIL;
  if (behaviour.rfind("null-object", 0) == 0) {
    *out = nullptr;
    return S_OK;
  }
  try {
    *out = static_cast<qm::IDomainTransfer*>(new siblings::WexUtilTransfer());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}
