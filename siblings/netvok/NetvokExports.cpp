#include <windows.h>

#include <new>

#include "family/Netvok.h"
#include "netvok/NetvokFactory.h"
#include "utils/StaticRuntimeRelease.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  qm::StaticRuntimeRelease::OnDllMain(reason, reserved);
  return TRUE;
}

// Three arguments, as the network library hands out its factory. "netvok.behaviour" holding
// "null-object" makes it succeed without one, "fail" refuse.
extern "C" HRESULT __stdcall DllGetClassObject(const GUID* classId, const GUID* interfaceId, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!classId || !interfaceId || !IsEqualGUID(*classId, netvok::kFactoryClassId) ||
      !IsEqualGUID(*interfaceId, netvok::kFactoryInterfaceId)) {
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  const std::string behaviour = siblings::NetvokFactory::Behaviour();
  if (behaviour.rfind("fail", 0) == 0) return E_FAIL;
  if (behaviour.rfind("null-object", 0) == 0) return S_OK;
  try {
    *out = static_cast<netvok::IHttpFactory*>(new siblings::NetvokFactory());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}
