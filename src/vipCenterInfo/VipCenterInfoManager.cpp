#include "vipCenterInfo/VipCenterInfoManager.h"

#include "product/HostProfile.h"
#include "product/ProductInfo.h"
#include "utils/Log.h"
#include "vipCenterInfo/OrbilantVipCenterInfoRequester.h"
#include "vipCenterInfo/TessikVipCenterInfoRequester.h"

namespace vipcenter {

VipCenterInfoManager::VipCenterInfoManager(int hostType, VipCenterContext context)
    : m_pImpl(MakeRequester(hostType, std::move(context))) {}

std::shared_ptr<VipCenterInfoRequester> VipCenterInfoManager::MakeRequester(int hostType, VipCenterContext context) {
  switch (product::HostProfile::Of(hostType).price) {
    case product::PriceSource::kTessik: return std::make_shared<TessikVipCenterInfoRequester>(std::move(context));
    case product::PriceSource::kOrbilant: return std::make_shared<OrbilantVipCenterInfoRequester>(std::move(context));
    case product::PriceSource::kNone: break;
  }
  return nullptr;
}

int VipCenterInfoManager::QueryPayPriceInfo(int month, PayPriceInfo& out) {
  if (!m_pImpl) {
    ZLOG(ERROR) << L"m_pImpl is nullptr";
    return -1;
  }
  return m_pImpl->QueryPayPriceInfo(month, out);
}

VipCenterInfoManager& VipCenterInfoManager::Instance() {
  static VipCenterInfoManager* const instance = [] {
    const int hostType = product::ProductInfo::Instance().hostType;
    // Other hosts never request a price, so they need no channel record either.
    if (!product::HostProfile::Of(hostType).HasPrice()) return new VipCenterInfoManager(nullptr);
    return new VipCenterInfoManager(hostType, VipCenterContext::Current());
  }();
  return *instance;
}

}  // namespace vipcenter
