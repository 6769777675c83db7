#include "vipsdk/VipSdkRoot.h"

#include <cstring>
#include <string>

#include "common/Journal.h"
#include "vipsdk/VipSdkCoreNewer.h"
#include "vipsdk/VipSdkCoreOlder.h"
#include "vipsdk/VipSdkState.h"

namespace siblings {

namespace {

// Created once and never destroyed: a watcher thread may still run when the process ends.
VipSdkCoreNewer& Newer() {
  static VipSdkCoreNewer* const core = new VipSdkCoreNewer();
  return *core;
}

VipSdkCoreOlder& Older() {
  static VipSdkCoreOlder* const core = new VipSdkCoreOlder();
  return *core;
}

}  // namespace

VipSdkRoot& VipSdkRoot::Instance() {
  static VipSdkRoot* const root = new VipSdkRoot();
  return *root;
}

void* VipSdkRoot::DeletingDestructor(unsigned int) {
  Journal(L"vipsdk").Append(L"RootDeletingDestructor", {});
  return this;
}

const char* VipSdkRoot::InterfaceName() {
  Journal(L"vipsdk").Append(L"RootInterfaceName", {});
  return "vip_sdk_root";
}

vip_sdk::IBaseInterface* VipSdkRoot::QueryInterface(const char* name) {
  try {
    const std::string asked = name ? name : "";
    const VipSdkState state = VipSdkState::Read();
    vip_sdk::IBaseInterface* answer = nullptr;
    std::wstring generation = L"none";
    if (asked == vip_sdk::kCoreInterfaceName && VipSdkState::Behaviour().rfind("no-component", 0) != 0) {
      const bool older = state.productLine == 2;
      answer =
          older ? static_cast<vip_sdk::IBaseInterface*>(&Older()) : static_cast<vip_sdk::IBaseInterface*>(&Newer());
      generation = older ? L"older" : L"newer";
    }
    // The reporting interfaces are not served yet.
    Journal(L"vipsdk").Append(L"QueryInterface",
                              {{L"name", std::wstring(asked.begin(), asked.end())}, {L"generation", generation}});
    return answer;
  } catch (...) {
    return nullptr;
  }
}

}  // namespace siblings
