#include <windows.h>

#include "common/StandInExport.h"
#include "family/Netvok.h"
#include "netvok/NetvokFactory.h"

// Three arguments, as the network library hands out its factory. "netvok.behaviour" holding
// "null-object" makes it succeed without one, "fail" refuse.
extern "C" HRESULT __stdcall DllGetClassObject(const GUID* classId, const GUID* interfaceId, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!classId || !interfaceId || !IsEqualGUID(*classId, netvok::kFactoryClassId) ||
      !IsEqualGUID(*interfaceId, netvok::kFactoryInterfaceId)) {
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  return siblings::HandOutAsTold(siblings::NetvokFactory::Behaviour(), out, [] {
    return static_cast<netvok::IHttpFactory*>(new siblings::NetvokFactory());
  });
}
