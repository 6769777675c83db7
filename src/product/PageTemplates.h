#pragma once

#include <map>
#include <string>

namespace product {

enum PageType : int { kLoginPage = 1, kPurchasePage = 2, kMainPage = 3 };

// The VIP page program's command templates by page type, formatted with the VIP product id.
struct PageTemplates {
  std::map<int, std::wstring> byType;

  static PageTemplates NewVipSdk(int vipProductId);
  // The Wystan adapter sends purchases to the main page.
  static PageTemplates WystanVipSdk(int vipProductId);
};

}  // namespace product
