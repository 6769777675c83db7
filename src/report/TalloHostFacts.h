#pragma once

#include <functional>
#include <string>
#include <vector>

#include "family/VipSdk.h"
#include "product/HostSystem.h"
#include "product/ProductInfo.h"

namespace report {

// What choosing a reporting path needs to know about the host.
struct TalloHostFacts {
  int hostType = 0;
  int productLine = 1;
  std::vector<std::wstring> clientFolders;  // where the Tessik reporting client may be, in order
  std::wstring configFile;                  // the host's configuration file (product id)
  bool hostApplicationPresent = false;      // the host application's executable exists (product id)
  // The VIP SDK's root, asked for only by the hosts that report through the SDK.
  std::function<vip_sdk::IBaseInterface*()> vipRoot;

  // The process's host: the executable's folder, then the Tessik folder; the loaded VIP SDK.
  static TalloHostFacts Current(product::HostSystem& system, product::ProductInfo& info);
};

}  // namespace report
