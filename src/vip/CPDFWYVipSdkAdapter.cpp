#include "vip/CPDFWYVipSdkAdapter.h"

namespace vip {

CPDFWYVipSdkAdapter::CPDFWYVipSdkAdapter(int vipProductId, vip_sdk::IBaseInterface* root, int productLine,
                                         VipPageLauncher launcher)
    : CPDFNewVipSdkAdapter(vipProductId, root, productLine, launcher) {
  SetPageTemplate(kVipChargePage, L"--open_web=main --pid=" + std::to_wstring(vipProductId) + L" ");
}

bool CPDFWYVipSdkAdapter::QueryExtendedState() {
  return core() && core()->GetInterfaceVersion() > 7 && core()->QueryExtendedInfo();
}

}  // namespace vip
