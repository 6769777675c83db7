#include "vip/VipAdapterFactory.h"

#include "product/ChannelReader.h"
#include "product/HostProfile.h"
#include "product/ProductInfo.h"
#include "vip/CPDFABVipSdkAdapter.h"
#include "vip/CPDFOBVipSdkAdapter.h"
#include "vip/CPDFTessikVipSdkAdapter.h"
#include "vip/CPDFWYVipSdkAdapter.h"
#include "vip/PDFFennickVipSdkAdapter.h"
#include "vip/VipSdkLibrary.h"
#include "vip/Win32TessikVipHost.h"

namespace vip {

int VipAdapterFactory::HostType() {
  return product::ProductInfo::Instance().hostType;
}

int VipAdapterFactory::CurrentVipProductId() {
  return product::ChannelReader(product::HostSystem::Real(), product::ProductInfo::Instance()).VipProductId();
}

std::unique_ptr<IPDFVipSdkAdapter> VipAdapterFactory::Create(int hostType, int vipProductId) {
  const product::VipPath path = product::HostProfile::Of(hostType).vip;
  switch (path) {
    case product::VipPath::kNone: return nullptr;
    case product::VipPath::kTessikService:
      // The service's client is created (and its channel registered) with the first adapter.
      return std::make_unique<CPDFTessikVipSdkAdapter>(sheer_vip::SheerVipIpcWrapper::Instance(),
                                                       std::make_unique<Win32TessikVipHost>());
    case product::VipPath::kFennickAccount: return PDFFennickVipSdkAdapter::ForHost();
    default: break;  // the SDK hosts
  }
  vip_sdk::IBaseInterface* root = VipSdkLibrary::Instance().root();
  const int line = product::ProductInfo::Instance().ProductLine();
  const VipPageLauncher launcher = VipPageLauncher::Real();
  if (path == product::VipPath::kOrbilantSdk) return std::make_unique<CPDFOBVipSdkAdapter>(root, line, launcher);
  if (path == product::VipPath::kWystanSdk) {
    return std::make_unique<CPDFWYVipSdkAdapter>(vipProductId, root, line, launcher);
  }
  auto adapter = std::make_unique<CPDFABVipSdkAdapter>(vipProductId, root, line, launcher);
  adapter->SetPageTemplate(kVipChargePage, L"--open_web=main --pid=" + std::to_wstring(vipProductId) + L" ");
  return adapter;
}

}  // namespace vip
