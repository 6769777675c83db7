#include <windows.h>

#include "common/StandInExport.h"
#include "vipsdktallo/VipTalloRoot.h"

// Exported as GetInterface (vipsdktallo.def).
extern "C" HRESULT __stdcall VipTalloGetInterface(const GUID* iid, vip_sdk::IBaseInterface** root) {
  if (!root) return E_POINTER;
  *root = nullptr;
  if (!iid || !IsEqualGUID(*iid, vip_sdk::kVipSdkRootId)) return E_NOINTERFACE;
  return siblings::HandOutAsTold(siblings::VipTalloRoot::Behaviour(), root,
                                 [] { return &siblings::VipTalloRoot::Instance(); });
}
