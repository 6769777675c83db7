// The Fennick account library stand-in: an account object and a service object.
#include <windows.h>

#include "common/Journal.h"
#include "family/FennickAccount.h"
#include "fkaccount/FkAccountObject.h"

namespace {

class FkAccountService final : public fkaccount::IFkAccountService {
 public:
  int Version() override { return 1; }
  void Release() override { delete this; }
};

}  // namespace

// Exported as DllQueryInterface (fkaccount.def).
extern "C" void* __stdcall FkAccountQueryInterface(const GUID* id) {
  if (!id) return nullptr;
  try {
    if (IsEqualGUID(*id, fkaccount::kAccountId)) {
      siblings::Journal(L"fkaccount").Append(L"DllQueryInterface", {{L"object", L"account"}});
      return static_cast<fkaccount::IFkAccount*>(new siblings::FkAccountObject());
    }
    if (IsEqualGUID(*id, fkaccount::kAccountServiceId)) {
      siblings::Journal(L"fkaccount").Append(L"DllQueryInterface", {{L"object", L"service"}});
      return static_cast<fkaccount::IFkAccountService*>(new FkAccountService());
    }
  } catch (...) {
  }
  return nullptr;
}
