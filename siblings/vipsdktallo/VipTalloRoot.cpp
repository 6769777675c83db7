#include "vipsdktallo/VipTalloRoot.h"

#include <memory>
#include <string>

#include "common/BehaviourFile.h"
#include "common/Journal.h"

namespace siblings {

std::string VipTalloRoot::Behaviour() {
  static const std::string behaviour = BehaviourFile::Read(L"vipsdktallo.behaviour");
  return behaviour;
}

VipTalloRoot& VipTalloRoot::Instance() {
  static VipTalloRoot* const root = new VipTalloRoot();
  return *root;
}

vip_sdk::IBaseInterface* VipTalloRoot::CoreRoot() {
  if (core_) return coreRoot_;
  const std::wstring path = Journal::OwnFolder() + L"vipsdkcore.dll";
  core_ = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!core_) return nullptr;
  auto getInterface = reinterpret_cast<vip_sdk::GetInterfaceFn>(
      reinterpret_cast<void*>(GetProcAddress(core_, vip_sdk::kGetInterfaceExport)));
  if (getInterface) getInterface(&vip_sdk::kVipSdkRootId, &coreRoot_);
  return coreRoot_;
}

vip_sdk::IBaseInterface* __stdcall VipTalloRoot::QueryInterface(const char* name) {
  try {
    const std::string asked = name ? name : "";
    Journal(L"vipsdktallo").Append(L"QueryInterface", {{L"name", std::wstring(asked.begin(), asked.end())}});
    if (Behaviour().rfind("no-component", 0) == 0) return nullptr;
    if (asked == vip_sdk::kTalloInterfaceName) return &newer_;
    if (asked == vip_sdk::kTessikTalloInterfaceName) return &older_;
    vip_sdk::IBaseInterface* core = CoreRoot();
    return core ? core->QueryInterface(name) : nullptr;
  } catch (...) {
    return nullptr;
  }
}

int __stdcall VipTalloRoot::SubmitRecord(vip_sdk::TalloRecord* record) {
  if (!record) return 0;
  newer_.Forget(record);
  older_.Forget(record);
  std::unique_ptr<vip_sdk::TalloRecord> owned(record);
  try {
    Journal journal(L"vipsdktallo");
    if (GetFileAttributesW((Journal::OwnFolder() + L"vipsdktallo.fail").c_str()) != INVALID_FILE_ATTRIBUTES) {
      journal.Append(L"submit_failed", {{L"schema", record->draft.schema()}});
      return 0;
    }
    journal.Append(L"record", {{L"schema", record->draft.schema()},
                               {L"fields", record->draft.FieldsText()},
                               {L"interface", record->interfaceName},
                               {L"via", L"submit"}});
    return 1;
  } catch (...) {
    return 0;
  }
}

}  // namespace siblings
