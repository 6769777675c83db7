// The privilege store's first library stand-in: one query object for kPrivilegeQueryId.
#include <windows.h>

#include "family/PrivilegeStore.h"
#include "vdpriv/PrivilegeList.h"

namespace {

class PrivilegeQuery final : public vdpriv::IPrivilegeQuery {
 public:
  int __stdcall Version() override { return 1; }
  bool __stdcall Refresh() override { return true; }
  bool __stdcall IsLoggedIn() override { return !siblings::PrivilegeList::Read(L"privileges").empty(); }
  int __stdcall PrivilegeCount() override {
    return static_cast<int>(siblings::PrivilegeList::Read(L"privileges").size());
  }
  int __stdcall PrivilegeName(int index, wchar_t* buffer, int capacity) override {
    const auto names = siblings::PrivilegeList::Read(L"privileges");
    if (index < 0 || static_cast<size_t>(index) >= names.size() || !buffer || capacity <= 0) return 0;
    lstrcpynW(buffer, names[index].c_str(), capacity);
    return lstrlenW(buffer);
  }
  int __stdcall UserKind() override { return 0; }
  int __stdcall ExpiryDate() override { return 0; }
  int __stdcall LastError() override { return 0; }
  bool __stdcall IsReady() override { return true; }
  bool __stdcall HasPrivilege(const wchar_t* name) override {
    return siblings::PrivilegeList::Answer(L"privileges", L"core", name);
  }
};

}  // namespace

// Exported as GetInterface (vdprivcore.def).
extern "C" HRESULT __stdcall PrivilegeCoreGetInterface(const GUID* id, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!id || !IsEqualGUID(*id, vdpriv::kPrivilegeQueryId)) return E_NOINTERFACE;
  static PrivilegeQuery query;
  *object = static_cast<vdpriv::IPrivilegeQuery*>(&query);
  return S_OK;
}
