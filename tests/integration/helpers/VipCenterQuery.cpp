// Run from inside an installed host: loads the product configuration as the module does and
// asks the process's VIP-centre manager for the price of a package length. Prints JSON.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "product/ProductInfo.h"
#include "product/ProductInfoLoader.h"
#include "vipCenterInfo/VipCenterInfoManager.h"
#include "vipCenterInfo/VipCenterUserSource.h"

int wmain(int argc, wchar_t** argv) {
  const int months = argc > 1 ? _wtoi(argv[1]) : 12;
  product::ProductInfoLoader::LoadCurrent();
  // Stands in for the VIP facade, which connects the logged-in user at start-up.
  vipcenter::VipCenterUserSource::Connect([] { return vipcenter::VipCenterUser{L"host-open", L"host-token"}; });
  vipcenter::PayPriceInfo price;
  const int result = vipcenter::VipCenterInfoManager::Instance().QueryPayPriceInfo(months, price);
  std::printf("{\"host_type\":%d,\"requester\":%s,\"result\":%d,\"pay\":%d,\"reference\":%d}\n",
              product::ProductInfo::Instance().hostType,
              vipcenter::VipCenterInfoManager::Instance().HasRequester() ? "true" : "false", result, price.payPrice,
              price.referencePrice);
  return 0;
}
