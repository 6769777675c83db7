#pragma once

#include <string>

#include "product/ChannelInfo.h"
#include "product/HostSystem.h"
#include "product/ProductInfo.h"

namespace qm {
class ZIniReader;
}

namespace product {

// Reads the host's channel record (registry, server list, version resource) and derives the
// VIP product id.
class ChannelReader {
 public:
  ChannelReader(HostSystem& system, ProductInfo& info) : system_(system), info_(info) {}

  // Under HKEY_CURRENT_USER.
  std::wstring ChannelKeyPath();
  void ReadChannel(ChannelInfo& channel);
  // tryno from the server list, cached once read; -1 while the list does not exist.
  int TryNo();
  std::wstring HostVersion();
  bool IsHostApplicationPresent();

  // The VIP product id, and the shorter form the purchase record carries.
  int VipProductId();
  int PurchaseProductId();
  // The purchase record's rule over a configuration file already loaded (the report holder's).
  static int PurchaseProductId(int hostType, const qm::ZIniReader& config, bool hostApplicationPresent);

  static constexpr const wchar_t* kCategoryKey =
      L"CLSID\\{387A0E1A-EB04-49D6-ADE2-A6C57F6D2736}\\Implemented Categories\\"
      L"{AD5C5A19-F6F1-4B2F-B80E-AD28204A75E9}";

 private:
  static int ConfiguredProductId(int hostType, const qm::ZIniReader& config, bool hostApplicationPresent);
  static bool IsAbProduct(int hostType, const qm::ZIniReader& config);

  HostSystem& system_;
  ProductInfo& info_;
};

}  // namespace product
