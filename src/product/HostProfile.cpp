#include "product/HostProfile.h"

#include "product/ProductConstants.h"
#include "product/ProductInfo.h"

namespace product {

namespace {

using namespace constants;

std::wstring TessikChannel() { return kTessikChannelKey.Reveal(); }
std::wstring OrbilantChannel() { return kOrbilantChannelKey.Reveal(); }
std::wstring FennickChannel() { return kFennickChannelKey.Reveal(); }
std::wstring BuildChannel() { return L"adobepdf"; }
std::wstring PageSdkChannel() { return L"zpagesdk"; }
std::wstring ComponentChannel() { return L"quillon"; }

std::wstring Tessik() { return kBrandTessik.Reveal(); }
std::wstring Orbilant() { return kBrandOrbilant.Reveal(); }
std::wstring Wystan() { return kBrandWystan.Reveal(); }
std::wstring Fennick() { return kBrandFennick.Reveal(); }

std::wstring LocalTessik() { return kLocalTessik.Reveal(); }
std::wstring LocalOrbilant() { return kLocalOrbilant.Reveal(); }
std::wstring LocalQuillon() { return kLocalQuillon.Reveal(); }
std::wstring LocalPageSdk() { return kLocalPageSdk.Reveal(); }
std::wstring LocalFennick() { return kLocalFennick.Reveal(); }

using P = PriceSource;
using V = VipPath;
using R = ReportPath;
using I = IdentityKind;
using T = InstallTimeRule;
using F = FolderRule;
using C = ChannelKeyRule;

// clang-format off
//   type label       price        vip                 report           identity      install time            helper follows folders               channel key                           brand     local folder   component id  needs app variant
const HostProfile kRows[] = {
  {1, L"Tessik",      P::kTessik,   V::kTessikService,  R::kTessikClient, I::kTessik,   T::kFirstOpenTime,      false, false, F::kTessik,           C::kFixed,            TessikChannel,    Tessik,   LocalTessik,   false, 0,   false, true},
  {2, L"Orbilant",    P::kOrbilant, V::kOrbilantSdk,    R::kVipSdk,       I::kOrbilant, T::kFirstOpenTime,      false, false, F::kOrbilant,         C::kFixed,            OrbilantChannel,  Orbilant, LocalOrbilant, false, 0,   false, true},
  {3, L"Wystan",      P::kNone,     V::kWystanSdk,      R::kVipSdk,       I::kWystan,   T::kChannelInstallTime, true,  true,  F::kModuleServerList, C::kComponentRegName, ComponentChannel, Wystan,   LocalQuillon,  true,  13,  true,  false},
  {4, L"PDF build 4", P::kNone,     V::kBuildSdk,       R::kVipSdk,       I::kWystan,   T::kChannelInstallTime, false, false, F::kModuleServerList, C::kConfigChanName,   BuildChannel,     Wystan,   LocalQuillon,  false, 20,  false, true},
  {5, L"PDF build 5", P::kNone,     V::kBuildSdk,       R::kVipSdk,       I::kWystan,   T::kChannelInstallTime, false, false, F::kModuleServerList, C::kConfigChanName,   BuildChannel,     Wystan,   LocalQuillon,  false, 20,  false, true},
  {6, L"page SDK",    P::kNone,     V::kNone,           R::kNone,         I::kWystan,   T::kChannelInstallTime, false, false, F::kPageSdk,          C::kConfigChanName,   PageSdkChannel,   Wystan,   LocalPageSdk,  false, 0,   false, true},
  {7, L"Fennick",     P::kNone,     V::kFennickAccount, R::kNone,         I::kWystan,   T::kChannelInstallTime, false, false, F::kFennick,          C::kFixed,            FennickChannel,   Fennick,  LocalFennick,  false, 0,   false, true},
};
const HostProfile kFallback =
  {0, L"unknown",     P::kNone,     V::kNone,           R::kNone,         I::kWystan,   T::kChannelInstallTime, false, false, F::kModule,           C::kComponentRegName, ComponentChannel, Wystan,   LocalQuillon,  false, 0,   false, true};
// clang-format on

}  // namespace

const HostProfile* HostProfile::Find(int hostType) {
  for (const HostProfile& row : kRows) {
    if (row.hostType == hostType) return &row;
  }
  return nullptr;
}

const HostProfile& HostProfile::Of(int hostType) {
  const HostProfile* row = Find(hostType);
  return row ? *row : kFallback;
}

std::span<const HostProfile> HostProfile::All() { return kRows; }

const HostProfile& HostProfile::Current() { return Of(ProductInfo::Instance().hostType); }

}  // namespace product
