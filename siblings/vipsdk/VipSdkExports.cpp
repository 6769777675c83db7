#include <windows.h>

#include "common/Journal.h"
#include "common/StandInExport.h"
#include "family/VipSdk.h"
#include "vipsdk/VipSdkRoot.h"
#include "vipsdk/VipSdkState.h"

// Exported as GetInterface (vipsdk.def).
extern "C" HRESULT __stdcall VipSdkGetInterface(const GUID* iid, vip_sdk::IBaseInterface** root) {
  if (!root) return E_POINTER;
  *root = nullptr;
  const bool known = iid && IsEqualGUID(*iid, vip_sdk::kVipSdkRootId);
  siblings::Journal(L"vipsdk").Append(L"GetInterface", {{L"known_id", known ? L"true" : L"false"}});
  if (!known) return E_NOINTERFACE;
  return siblings::HandOutAsTold(siblings::VipSdkState::Behaviour(), root,
                                 [] { return &siblings::VipSdkRoot::Instance(); });
}
