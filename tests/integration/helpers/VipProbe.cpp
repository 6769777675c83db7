// Runs the module's VIP facade inside an installed host, the way the controller does (product
// configuration first, then the facade), and prints its answers as JSON.
//   vipprobe [--open TYPE]... [--open-query TYPE QUERY]... [--account-after N]
// --account-after rewrites the Wystan account file and asks again (the adapter follows the id).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "product/ProductInfo.h"
#include "product/ProductInfoLoader.h"
#include "utils/TextEncoding.h"
#include "utils/UxJson.h"
#include "vip/CPDFVipSdkAdapter.h"

namespace {

using vip::CPDFVipSdkAdapter;

void Describe(CPDFVipSdkAdapter& facade, UxJsonEx::Handle out) {
  out[L"vip_product_id"] = static_cast<int32_t>(facade.GetVipProductId());
  out[L"state"] = static_cast<int32_t>(facade.GetVipState());
  out[L"is_login"] = facade.IsLogin();
  out[L"is_vip"] = facade.IsVip();
  vip::VipUserInfo info;
  out[L"fill"] = facade.FillUserInfo(info);
  out[L"is_logout"] = info.is_logout;
  out[L"vip_type"] = static_cast<int32_t>(info.vip_type);
  out[L"open_id"] = facade.OpenId();
  out[L"token"] = facade.Token();
}

void WriteAccount(const std::wstring& value) {
  const std::wstring file = product::ProductInfo::Instance().installationFolder + L"cfgdata\\cfgdata.ini.user";
  WritePrivateProfileStringW(L"account", L"account", value.c_str(), file.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  product::ProductInfoLoader::LoadCurrent();
  CPDFVipSdkAdapter& facade = CPDFVipSdkAdapter::Instance();
  facade.Initialize();
  UxJsonEx::Document report;
  report[L"host_type"] = static_cast<int32_t>(product::ProductInfo::Instance().hostType);
  Describe(facade, report[L"before"]);
  int opened = 0;
  for (int i = 1; i < argc; ++i) {
    const std::wstring option = argv[i];
    if (option == L"--open" && i + 1 < argc) {
      report[L"opened"][std::to_wstring(opened++)] = facade.OpenVipPage(_wtoi(argv[++i]), 6411, 0);
    } else if (option == L"--open-query" && i + 2 < argc) {
      const int type = _wtoi(argv[++i]);
      report[L"opened"][std::to_wstring(opened++)] = facade.OpenVipPageWithQuery(type, 6411, 0, argv[++i]);
    } else if (option == L"--account-after" && i + 1 < argc) {
      WriteAccount(argv[++i]);
      Describe(facade, report[L"after"]);
    }
  }
  facade.ReleaseAdapter();
  std::wstring text;
  report.Write(text, false);
  const std::string utf8 = qm::encoding::WideToUtf8(text) + "\n";
  fwrite(utf8.data(), 1, utf8.size(), stdout);
  return 0;
}
