#include "vip/TessikPrivilegeStore.h"

#include "product/HostSystem.h"
#include "product/ProductConstants.h"
#include "utils/FileUtil.h"
#include "vip/VipIpcConstants.h"

namespace vip {

TessikPrivilegeStore::TessikPrivilegeStore(std::wstring folder) : folder_(std::move(folder)) {
  if (folder_.empty()) return;
  if (folder_.back() != L'\\') folder_ += L'\\';
  const std::wstring path = folder_ + constants::kPrivilegeLibrary.Reveal();
  first_ = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!first_) return;
  auto get = reinterpret_cast<vdpriv::GetInterfaceFn>(reinterpret_cast<void*>(GetProcAddress(first_, vdpriv::kGetInterfaceExport)));
  void* object = nullptr;
  if (get) get(&vdpriv::kPrivilegeQueryId, &object);
  firstQuery_ = static_cast<vdpriv::IPrivilegeQuery*>(object);
}

TessikPrivilegeStore::~TessikPrivilegeStore() {
  DropSecond();
  // The first library's object belongs to it; the library goes with the process.
}

TessikPrivilegeStore& TessikPrivilegeStore::Instance() {
  static TessikPrivilegeStore* const store = [] {
    const auto folder =
        product::HostSystem::Real().ReadString(HKEY_LOCAL_MACHINE, product::constants::kTessikKey.Reveal(),
                                               product::constants::kProgramPath.Reveal(), KEY_WOW64_32KEY);
    return new TessikPrivilegeStore(folder.value_or(L""));
  }();
  return *store;  // lives until the module unloads
}

bool TessikPrivilegeStore::HasPrivilege(const std::wstring& name) {
  try {
    return AskFirst(name) || AskSecond(name);
  } catch (...) {
    return false;
  }
}

bool TessikPrivilegeStore::AskFirst(const std::wstring& name) {
  return firstQuery_ && firstQuery_->HasPrivilege(name.c_str());
}

void TessikPrivilegeStore::DropSecond() {
  VipCriticalSection::Hold hold(lock_);
  if (secondObject_) secondObject_->Release();
  secondObject_ = nullptr;
  if (second_) FreeLibrary(second_);
  second_ = nullptr;
}

bool TessikPrivilegeStore::AskSecond(const std::wstring& name) {
  if (folder_.empty()) return false;
  const std::wstring path = folder_ + constants::kPrivilegeExtraLibrary.Reveal();
  if (!qm::FileUtil::IsFile(path)) return false;
  VipCriticalSection::Hold hold(lock_);
  HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) return false;
  auto get = reinterpret_cast<vdpriv::GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(module, vdpriv::kGetClassObjectExport)));
  void* object = nullptr;
  if (!get || FAILED(get(&vdpriv::kUnknownId, &vdpriv::kPrivilegeObjectId, &object)) || !object) {
    FreeLibrary(module);
    return false;
  }
  // The new instance replaces the earlier one; loading first keeps a shared image mapped.
  if (secondObject_) secondObject_->Release();
  if (second_) FreeLibrary(second_);
  second_ = module;
  secondObject_ = static_cast<vdpriv::IPrivilegeObject*>(object);
  return secondObject_->HasPrivilege(name.c_str());
}

}  // namespace vip
