#include "product/PageTemplates.h"

namespace product {

PageTemplates PageTemplates::NewVipSdk(int id) {
  const std::wstring pid = std::to_wstring(id);
  return {{{kLoginPage, L"--open_web=login --pid=" + pid + L" "},
           {kPurchasePage, L"--open_web=charge_pdf --pid=" + pid + L" "},
           {kMainPage, L"--open_web=main --pid=" + pid + L" --url="}}};
}

PageTemplates PageTemplates::WystanVipSdk(int id) {
  PageTemplates templates = NewVipSdk(id);
  templates.byType[kPurchasePage] = L"--open_web=main --pid=" + std::to_wstring(id) + L" ";
  return templates;
}

}  // namespace product
