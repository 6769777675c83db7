// The three product-config classes differ only in where each identity value comes from.
#include "product/ProductConstants.h"
#include "vanta/ProductConfigs.h"

namespace vanta {

using namespace identity_keys;

IdentityPlan ZWystanProductConfig::Plan(VantaIdentityReader& r) {
  const std::wstring folder = r.ModuleFolder();
  return {{{6, r.Text32(HKEY_CLASSES_ROOT, kCategoryA, L"svrid", false)},
           {7, L"13"},
           {8, L"quillon"},
           {9, L"com.qm.quillon"},
           {17, L"1"},
           {10, r.IniInt(folder + L"ressrc\\chs\\upfeed.svr", L"common", L"TryNo", 0)},
           {11, r.Text(HKEY_CURRENT_USER, kWystanUser, L"tid1")},
           {12, r.Text(HKEY_CURRENT_USER, kWystanUser, L"tid2")},
           {13, r.Text(HKEY_CURRENT_USER, kWystanUser, L"tod1")},
           {14, r.Text(HKEY_CURRENT_USER, kWystanUser, L"tod2")},
           {15, r.Text(HKEY_CURRENT_USER, kWystanUser, L"iid")},
           {16, r.Text32(HKEY_CLASSES_ROOT, kCategoryA, L"uuid", true)},
           {18, r.IniInt(folder + L"ressrc\\chs\\weathercache.ini", L"curweather", L"curcitynum", -1)}},
          L"software\\quillon\\vanta"};
}

IdentityPlan ZObProductConfig::Plan(VantaIdentityReader& r) {
  using namespace product::constants;
  const std::wstring folder = r.HostFolder(kOrbilantKey.Reveal(), kAppPath.Reveal());
  return {{{6, r.DashlessText32(HKEY_CLASSES_ROOT, kCategoryB, L"uid")},
           {7, L"2"},
           {8, L"rh_ob"},
           {9, L"com.rhond.ob"},
           {17, L"1"},
           {10, r.IniInt(folder + L"ressrc\\chs\\upfeed.svr", L"Common", L"TryNo", 0)},
           {11, r.Text(HKEY_LOCAL_MACHINE, kOrbilantSetup, L"pid")},
           {12, r.Text(HKEY_LOCAL_MACHINE, kOrbilantSetup, L"pid")},
           {13, r.Text(HKEY_LOCAL_MACHINE, kOrbilantSetup, L"tod1")},
           {14, r.Text(HKEY_LOCAL_MACHINE, kOrbilantSetup, L"tod2")},
           {15, r.Text(HKEY_LOCAL_MACHINE, kOrbilantSetup, L"iid")},
           {16, r.DashlessText32(HKEY_LOCAL_MACHINE, kOrbilantRoot, L"UUID")},
           {18, r.IniInt(folder + L"vendra\\ressrc\\chs\\weathercache.ini", L"curweather", L"curcitynum", -1)}},
          L"SOFTWARE\\Yarrowsoft\\Orbilant\\vanta"};
}

IdentityPlan ZTessikProductConfig::Plan(VantaIdentityReader& r) {
  using namespace product::constants;
  const std::wstring folder = r.HostFolder(kTessikKey.Reveal(), kProgramPath.Reveal());
  return {{{6, r.Text32(HKEY_CLASSES_ROOT, kCategoryB, L"uid", false)},
           {7, L"0"},
           {8, L"qmtessik"},
           {9, L"com.rhond.qmtessik"},
           {17, L"1"},
           {10, r.IniInt(folder + L"ressrc\\chs\\upfeed.svr", L"common", L"TryNo", 0)},
           {11, r.Text(HKEY_LOCAL_MACHINE, kTessikSetup, L"tid1")},
           {12, r.Text(HKEY_LOCAL_MACHINE, kTessikSetup, L"tid2")},
           {13, r.Text(HKEY_LOCAL_MACHINE, kTessikSetup, L"tod1")},
           {14, r.Text(HKEY_LOCAL_MACHINE, kTessikSetup, L"tod2")},
           {15, r.Text(HKEY_LOCAL_MACHINE, kTessikSetup, L"iid")},
           {16, r.Text32(HKEY_CLASSES_ROOT, kCategoryC, L"idex", true)},
           {18, r.IniInt(folder + L"ressrc\\chs\\weathercache.ini", L"curweather", L"curcitynum", -1)}},
          L"software\\vendra\\Antivirus\\vanta"};
}

}  // namespace vanta
