#include "report/TalloHostFacts.h"

#include "product/ChannelReader.h"
#include "product/HostProfile.h"
#include "product/ProductConstants.h"
#include "product/ProductInfoLoader.h"
#include "vip/VipSdkLibrary.h"

namespace report {

TalloHostFacts TalloHostFacts::Current(product::HostSystem& system, product::ProductInfo& info) {
  using namespace product::constants;
  TalloHostFacts facts;
  facts.hostType = info.hostType;
  facts.configFile = info.configFile;
  facts.hostApplicationPresent = product::ChannelReader(system, info).IsHostApplicationPresent();
  const product::ReportPath path = product::HostProfile::Of(info.hostType).report;
  if (path == product::ReportPath::kTessikClient) {
    facts.clientFolders.push_back(product::FolderOfPath(system.ExecutablePath()));
    const auto programPath =
        system.ReadString(HKEY_LOCAL_MACHINE, kTessikKey.Reveal(), kProgramPath.Reveal(), KEY_WOW64_32KEY);
    if (programPath) facts.clientFolders.push_back(product::WithBackslash(*programPath));
  }
  if (path == product::ReportPath::kVipSdk) {
    facts.productLine = info.ProductLine();
    facts.vipRoot = [] { return vip::VipSdkLibrary::Instance().root(); };
  }
  return facts;
}

}  // namespace report
