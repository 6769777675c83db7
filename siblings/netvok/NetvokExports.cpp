#include <windows.h>

#include <new>

#include "family/Netvok.h"
#include "netvok/NetvokFactory.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

// Three arguments, as the network library hands out its factory.
extern "C" HRESULT __stdcall DllGetClassObject(const GUID* classId, const GUID* interfaceId, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!classId || !interfaceId || !IsEqualGUID(*classId, netvok::kFactoryClassId) ||
      !IsEqualGUID(*interfaceId, netvok::kFactoryInterfaceId)) {
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  try {
    *out = static_cast<netvok::IHttpFactory*>(new siblings::NetvokFactory());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}
