#include <windows.h>

#include "common/Journal.h"
#include "family/VipSdk.h"
#include "vipsdk/VipSdkRoot.h"
#include "vipsdk/VipSdkState.h"
#include "utils/StaticRuntimeRelease.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  qm::StaticRuntimeRelease::OnDllMain(reason, reserved);
  return TRUE;
}

// Exported as GetInterface (vipsdk.def).
extern "C" HRESULT __stdcall VipSdkGetInterface(const GUID* iid, vip_sdk::IBaseInterface** root) {
  if (!root) return E_POINTER;
  *root = nullptr;
  const bool known = iid && IsEqualGUID(*iid, vip_sdk::kVipSdkRootId);
  siblings::Journal(L"vipsdk").Append(L"GetInterface", {{L"known_id", known ? L"true" : L"false"}});
  if (!known) return E_NOINTERFACE;
  const std::string behaviour = siblings::VipSdkState::Behaviour();
  if (behaviour.rfind("fail", 0) == 0) return E_FAIL;
  if (behaviour.rfind("null-object", 0) == 0) return S_OK;
  try {
    *root = &siblings::VipSdkRoot::Instance();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}
