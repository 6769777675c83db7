#pragma once

#include <span>
#include <string>

namespace product {

// Where the pop-up's price comes from: a VIP-centre requester, or none (no price block, no price gate).
enum class PriceSource { kNone, kTessik, kOrbilant };
// Which VIP adapter tells the user's state and opens the VIP pages.
enum class VipPath { kNone, kTessikService, kOrbilantSdk, kWystanSdk, kBuildSdk, kFennickAccount };
// Which reporting component takes the records.
enum class ReportPath { kNone, kTessikClient, kVipSdk };
// Which product-config class identifies the host to the remote-configuration library.
enum class IdentityKind { kTessik, kOrbilant, kWystan };
// Where the host records its installation time.
enum class InstallTimeRule { kChannelInstallTime, kFirstOpenTime };
// How the installation, application and reader folders are found.
enum class FolderRule { kTessik, kOrbilant, kModuleServerList, kPageSdk, kFennick, kModule };
// Where the channel key under HKEY_CURRENT_USER is named.
enum class ChannelKeyRule { kFixed, kConfigChanName, kComponentRegName };

// Everything that varies by host type, one row per type. Every decision on the host type reads
// its row; a type without a row gets the fallback row (the defaults a PDF build would have).
struct HostProfile {
  using Text = std::wstring (*)();  // a name kept scrambled, revealed on use

  int hostType;
  const wchar_t* label;  // for people: tools and logs
  PriceSource price;
  VipPath vip;
  ReportPath report;
  IdentityKind identity;
  InstallTimeRule installTime;
  bool helperRefresh;        // refreshes the remote configuration through the helper before relying on it
  bool vipProductIdFollows;  // the VIP adapter follows the VIP product id (the user may switch edition)
  FolderRule folders;
  ChannelKeyRule channelKey;
  Text channelKeyText;  // kFixed: the key; kConfigChanName: the default "chan_name"
  Text brand;
  Text localFolder;        // the local application-data folder name
  bool localFolderFromComponent;  // ... unless the component configuration names one ("cache_dir")
  int productIdDefault;           // 0: the host type itself
  bool productIdNeedsApplication;  // without the host application the id is 111
  bool productVariantFlag;         // "is_ab_product" is read

  bool HasPrice() const { return price != PriceSource::kNone; }
  bool ReadsVipProductId() const { return vip == VipPath::kWystanSdk || vip == VipPath::kBuildSdk; }

  // The row of a known host type, or null.
  static const HostProfile* Find(int hostType);
  // The row of hostType, the fallback row when it has none.
  static const HostProfile& Of(int hostType);
  // The row of the process's host (ProductInfo).
  static const HostProfile& Current();
  // Every known host type's row, in type order.
  static std::span<const HostProfile> All();
  static constexpr int kFirstType = 1;
  static constexpr int kLastType = 7;
};

}  // namespace product
