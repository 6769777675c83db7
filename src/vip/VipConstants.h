#pragma once

// Names of the VIP area that the module keeps only in scrambled form.

#include "utils/ScrambledText.h"

namespace vip::constants {

using qm::scramble::TableScrambled;

// The VIP SDK library, in the host's installation folder.
inline constexpr auto kVipSdkLibrary = TableScrambled(L"wystanvipsdk.dll");
// The driver-utility host's purchase page, formatted with tryno; the caller's query follows.
inline constexpr auto kOrbilantPurchaseFormat = TableScrambled(L"https://vip.orbilant.example/%d/pdf/?");

}  // namespace vip::constants
