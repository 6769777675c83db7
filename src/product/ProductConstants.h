#pragma once

// Names the module keeps only in scrambled form: the product family's registry keys, program
// and folder names, brand names. Written here as literals, scrambled at compile time.

#include "utils/ScrambledText.h"

namespace product::constants {

using qm::scramble::TableScrambled;

// How a product records its installation folder.
enum class FolderSource {
  kValue,            // the value is the folder
  kUninstallString,  // the uninstaller's folder: "/" turned into "\", cut before the last "\"
};

// Product-folder rows, all under HKEY_LOCAL_MACHINE in the 32-bit view.
inline constexpr auto kTessikKey = TableScrambled(L"SOFTWARE\\vendra\\Antivirus");
inline constexpr auto kTessikLiteKey = TableScrambled(L"SOFTWARE\\vendra\\TessikLite");
inline constexpr auto kOrbilantKey = TableScrambled(L"SOFTWARE\\Yarrowsoft\\Orbilant");
inline constexpr auto kOrbilantNetKey = TableScrambled(L"SOFTWARE\\Yarrowsoft\\OrbilantNet");
inline constexpr auto kQuillonOfficeKey =
    TableScrambled(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuillonOffice");
inline constexpr auto kFennickMailKey = TableScrambled(L"SOFTWARE\\fennick\\mail");
inline constexpr auto kFennickKey = TableScrambled(L"SOFTWARE\\fennick");
inline constexpr auto kQuillonKey = TableScrambled(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillon");
inline constexpr auto kTessikSafeKey = TableScrambled(L"SOFTWARE\\vendra\\TessikSafe");
inline constexpr auto kWystanCloudKey = TableScrambled(L"SOFTWARE\\Wystan\\Cloud");
inline constexpr auto kYarrowPlayerKey =
    TableScrambled(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\YarrowPlayer");
inline constexpr auto kPageSdkKey = TableScrambled(L"SOFTWARE\\Wystan\\PageSdk");
// Present in the page SDK's folder for id 18, absent for id 101.
inline constexpr auto kPageSdkTagFile = TableScrambled(L"pagesdk.tag");

inline constexpr auto kProgramPath = TableScrambled(L"ProgramPath");
inline constexpr auto kAppPath = TableScrambled(L"AppPath");
inline constexpr auto kInstallPath = TableScrambled(L"Install Path");
inline constexpr auto kWorkPath = TableScrambled(L"WorkPath");
inline constexpr auto kUninstallString = TableScrambled(L"UninstallString");

// Channel keys under HKEY_CURRENT_USER of host types 1, 2 and 7.
inline constexpr auto kTessikChannelKey = TableScrambled(L"Software\\vendra\\Antivirus\\Channel");
inline constexpr auto kOrbilantChannelKey = TableScrambled(L"Software\\Yarrowsoft\\Orbilant\\Channel");
inline constexpr auto kFennickChannelKey = TableScrambled(L"Software\\fennick\\Channel");

// Brand names per host type.
inline constexpr auto kBrandTessik = TableScrambled(L"Tessik");
inline constexpr auto kBrandOrbilant = TableScrambled(L"Orbilant");
inline constexpr auto kBrandWystan = TableScrambled(L"Wystan");
inline constexpr auto kBrandFennick = TableScrambled(L"Fennick");

// Local application-data folder names of the host types without a component configuration.
inline constexpr auto kLocalTessik = TableScrambled(L"TessikPDF");
inline constexpr auto kLocalOrbilant = TableScrambled(L"OrbilantPDF");
inline constexpr auto kLocalQuillon = TableScrambled(L"quillon");
inline constexpr auto kLocalPageSdk = TableScrambled(L"zpagesdk");
inline constexpr auto kLocalFennick = TableScrambled(L"FennickPDF");

// Host type 1 keeps its PDF components here when the installation folder lacks an identity file.
inline constexpr auto kTessikComponentFolder = TableScrambled(L"pdfcomponent\\");
// Host type 7's PDF reader sub-folder.
inline constexpr auto kFennickReaderFolder = TableScrambled(L"pdfreader\\");
// The PDF application whose version is reported and whose presence the product id depends on.
inline constexpr auto kPdfApplicationExe = TableScrambled(L"WystanPDF.exe");

// Programs the module starts.
inline constexpr auto kVipPageProgram = TableScrambled(L"wystanvip.exe");       // installation folder
inline constexpr auto kTessikVipPageProgram = TableScrambled(L"tessikvip.exe");  // host executable's folder
inline constexpr auto kTessikVipService = TableScrambled(L"tessikvipsvc.exe");   // host executable's folder
// The VIP web site; the purchase page is this, "/TRYNO/pdf/?" and the caller's parameters.
inline constexpr auto kPurchaseSite = TableScrambled(L"https://vip.wystan.example");

// Partner editions of the page SDK, in the order that gives 11, 10, 14, 17, 8.
inline constexpr auto kPartner11 = TableScrambled(L"foxleaf");
inline constexpr auto kPartner10 = TableScrambled(L"inkbridge");
inline constexpr auto kPartner14 = TableScrambled(L"paperkite");
inline constexpr auto kPartner17 = TableScrambled(L"docuharbor");
inline constexpr auto kPartner8 = TableScrambled(L"pagemill");

}  // namespace product::constants
