// Runs the new-user discount strategy inside an installed host the way the module does (product
// configuration, remote configuration, VIP facade, then CanShow with real reports) and prints
// the answer as JSON: {"can_show", "host_type", "local_config_folder", "log"}.
//   strategyprobe --scene N [--price PAY/REF]   (the price of the pop-up's last refresh)
#include <windows.h>

#include <cstdio>
#include <string>

#include "product/ProductInfo.h"
#include "product/ProductInfoLoader.h"
#include "strategy/NewUserDiscountPopStrategy.h"
#include "strategy/TalloPopReporter.h"
#include "strategy/Win32PopStrategyWorld.h"
#include "utils/TextEncoding.h"
#include "utils/UxJson.h"
#include "utils/ZLogger.h"
#include "vanta/ZVantaWarpper.h"
#include "vip/CPDFVipSdkAdapter.h"

int wmain(int argc, wchar_t** argv) {
  int scene = 1;
  strategy::PriceReading price;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring name = argv[i];
    if (name == L"--scene") scene = _wtoi(argv[i + 1]);
    if (name == L"--price") {
      price.valid = swscanf(argv[i + 1], L"%d/%d", &price.payPrice, &price.referencePrice) == 2;
      price.source = L"the probe";
    }
  }
  product::ProductInfoLoader::LoadCurrent();
  vanta::CurrentWarpper().Initialize();
  vip::CPDFVipSdkAdapter::Instance().Initialize();
  strategy::TalloPopReporter reporter;
  strategy::Win32PopStrategyWorld& world = strategy::Win32PopStrategyWorld::Current();
  world.SetLastPrice(price);
  const bool canShow = strategy::NewUserDiscountPopStrategy(world, &reporter).CanShow(scene);
  UxJsonEx::Document report;
  report[L"can_show"] = canShow;
  report[L"host_type"] = static_cast<int32_t>(product::ProductInfo::Instance().hostType);
  report[L"local_config_folder"] = product::ProductInfo::Instance().localConfigFolder;
  report[L"log"] = zlog::ZLogger::Instance().Path();
  vip::CPDFVipSdkAdapter::Instance().ReleaseAdapter();
  vanta::CurrentWarpper().Uninitialize();
  std::wstring text;
  report.Write(text, false);
  const std::string utf8 = qm::encoding::WideToUtf8(text) + "\n";
  fwrite(utf8.data(), 1, utf8.size(), stdout);
  return 0;
}
