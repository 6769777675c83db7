// The privilege store's second library stand-in: a reference-counted privilege object.
#include <windows.h>

#include "family/PrivilegeStore.h"
#include "vdpriv/PrivilegeList.h"

namespace {

class PrivilegeObject final : public vdpriv::IPrivilegeObject {
 public:
  HRESULT __stdcall QueryInterface(const GUID* id, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!id || (!IsEqualGUID(*id, vdpriv::kUnknownId) && !IsEqualGUID(*id, vdpriv::kPrivilegeObjectId))) {
      return E_NOINTERFACE;
    }
    AddRef();
    *object = this;
    return S_OK;
  }
  ULONG __stdcall AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG __stdcall Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  bool __stdcall Refresh() override { return true; }
  bool __stdcall HasPrivilege(const wchar_t* name) override {
    return siblings::PrivilegeList::Answer(L"privileges_extra", L"extra", name);
  }

 private:
  ~PrivilegeObject() = default;
  LONG references_ = 1;
};

}  // namespace

// Exported as DllGetClassObject (vdprivext.def).
extern "C" HRESULT __stdcall PrivilegeExtraGetClassObject(const GUID* first, const GUID* second, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!first || !second || !IsEqualGUID(*first, vdpriv::kUnknownId) ||
      !IsEqualGUID(*second, vdpriv::kPrivilegeObjectId)) {
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  try {
    *object = static_cast<vdpriv::IPrivilegeObject*>(new PrivilegeObject());
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}
