#include <windows.h>

#include <new>

#include "family/DomainTransfer.h"
#include "wexutil/WexUtilTransfer.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

// Two arguments, as the family's libraries hand out their objects.
extern "C" HRESULT __stdcall DllGetClassObject(const GUID* iid, void** out) {
  if (!iid || !out || !IsEqualGUID(*iid, qm::kDomainTransferId)) return E_FAIL;
  try {
    *out = static_cast<qm::IDomainTransfer*>(new siblings::WexUtilTransfer());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}
