#include <windows.h>

#include "common/Journal.h"
#include "vipsdktallo/VipTalloRoot.h"
#include "utils/StaticRuntimeRelease.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  qm::StaticRuntimeRelease::OnDllMain(reason, reserved);
  return TRUE;
}

// Exported as GetInterface (vipsdktallo.def).
extern "C" HRESULT __stdcall VipTalloGetInterface(const GUID* iid, vip_sdk::IBaseInterface** root) {
  if (!root) return E_POINTER;
  *root = nullptr;
  if (!iid || !IsEqualGUID(*iid, vip_sdk::kVipSdkRootId)) return E_NOINTERFACE;
  const std::string behaviour = siblings::VipTalloRoot::Behaviour();
  if (behaviour.rfind("fail", 0) == 0) return E_FAIL;
  if (behaviour.rfind("null-object", 0) == 0) return S_OK;
  try {
    *root = &siblings::VipTalloRoot::Instance();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}
