#include "report/TalloAdapterHolder.h"

#include "product/ChannelReader.h"
#include "product/HostProfile.h"
#include "report/CPDFOBVipSdkTalloAdapter.h"
#include "report/CPDFTessikTalloAdapter.h"

namespace report {

TalloAdapterHolder::TalloAdapterHolder(const TalloHostFacts& facts)
    : hostType_(facts.hostType), hostApplicationPresent_(facts.hostApplicationPresent), adapter_(CreateAdapter(facts)) {
  if (!facts.configFile.empty()) config_.Load(facts.configFile);
}

std::unique_ptr<TalloAdapterHolder> TalloAdapterHolder::CreateCurrent() {
  return std::make_unique<TalloAdapterHolder>(
      TalloHostFacts::Current(product::HostSystem::Real(), product::ProductInfo::Instance()));
}

std::unique_ptr<IPDFTalloAdapter> TalloAdapterHolder::CreateAdapter(const TalloHostFacts& facts) {
  const product::ReportPath path = product::HostProfile::Of(facts.hostType).report;
  if (path == product::ReportPath::kTessikClient) {
    return std::make_unique<CPDFTessikTalloAdapter>(std::make_unique<ZTalloNoZfmtFileWrap>(facts.clientFolders));
  }
  if (path == product::ReportPath::kVipSdk) {
    vip_sdk::IBaseInterface* const root = facts.vipRoot ? facts.vipRoot() : nullptr;
    return std::make_unique<CPDFOBVipSdkTalloAdapter>(root, facts.productLine);
  }
  return nullptr;
}

int TalloAdapterHolder::ProductId() const {
  return product::ChannelReader::PurchaseProductId(hostType_, config_, hostApplicationPresent_);
}

}  // namespace report
