#pragma once

// Names of the Tessik and Fennick VIP sources that the module keeps only in scrambled form.

#include "utils/ScrambledText.h"

namespace vip::constants {

using qm::scramble::TableScrambled;

// The family's IPC library, beside the host executable or in the Tessik host's program folder.
inline constexpr auto kIpcLibrary = TableScrambled(L"tandipc.dll");
// The Tessik host's privilege store, in its program folder.
inline constexpr auto kPrivilegeLibrary = TableScrambled(L"vdprivcore.dll");
inline constexpr auto kPrivilegeExtraLibrary = TableScrambled(L"vdprivext.dll");
// The Tessik purchase page, formatted with tryno.
inline constexpr auto kTessikPurchaseFormat = TableScrambled(L"https://vip.tessik.example/%d/pdf/?");
// The Fennick account library and the browser that opens its pages, in its program folder.
inline constexpr auto kFennickAccountLibrary = TableScrambled(L"fkaccount.dll");
inline constexpr auto kFennickBrowser = TableScrambled(L"fennickbrowser.exe");
// The browser's arguments, formatted with tryno, the source 26 and the page type.
inline constexpr auto kFennickPageArguments = TableScrambled(L"--pdfvip --tryno=%d --source=%d --page=%d");

}  // namespace vip::constants
