// The remote-configuration side of a simulated host: identity keys, the library's data and the
// INI files its identity values come from.
#include "FixtureFiles.h"
#include "utils/FileUtil.h"
#include "HostFixture.h"
#include "product/ProductConstants.h"
#include "utils/TextEncoding.h"
#include "vanta/IdentityPlan.h"

namespace fixture {

using namespace vanta::identity_keys;
using namespace product::constants;

void HostFixture::WriteIdentity() {
  constexpr REGSAM kView32 = KEY_WOW64_32KEY;
  const auto dword = [this](HKEY root, const wchar_t* path, const wchar_t* name, std::optional<unsigned long> value) {
    if (value) registry_.SetDword(root, kView32, path, name, *value);
  };
  const auto channel = [this](const wchar_t* name) -> std::optional<unsigned long> {
    const auto found = options_.channel.find(name);
    return found == options_.channel.end() ? std::nullopt : std::optional<unsigned long>(found->second);
  };
  std::optional<unsigned long> iid;
  if (options_.iid) iid = static_cast<unsigned long>(*options_.iid);
  if (options_.uid) registry_.SetString(HKEY_CLASSES_ROOT, kView32, kCategoryB, L"uid", *options_.uid);
  switch (Host().identity) {
    case product::IdentityKind::kTessik:
      if (options_.idex) registry_.SetString(HKEY_CLASSES_ROOT, kView32, kCategoryC, L"idex", *options_.idex);
      for (const wchar_t* name : {L"tid1", L"tid2", L"tod1", L"tod2"}) {
        dword(HKEY_LOCAL_MACHINE, kTessikSetup, name, channel(name));
      }
      dword(HKEY_LOCAL_MACHINE, kTessikSetup, L"iid", iid);
      break;
    case product::IdentityKind::kOrbilant:
      for (const wchar_t* name : {L"pid", L"tod1", L"tod2"}) dword(HKEY_LOCAL_MACHINE, kOrbilantSetup, name, channel(name));
      dword(HKEY_LOCAL_MACHINE, kOrbilantSetup, L"iid", iid);
      if (options_.obUuid) registry_.SetString(HKEY_LOCAL_MACHINE, kView32, kOrbilantRoot, L"UUID", *options_.obUuid);
      break;
    case product::IdentityKind::kWystan:  // the Wystan line keeps its values under HKCU "SOFTWARE\quillon"
      if (Host().channelKey != product::ChannelKeyRule::kComponentRegName) break;  // the line itself only
      if (options_.iid) registry_.SetDword(HKEY_CURRENT_USER, 0, kWystanUser, L"iid", *options_.iid);
      break;
  }
}

void HostFixture::CollectRemoteConfig() {
  const std::wstring installation = layout_.installation;
  if (options_.city) {
    const bool orbilant = Host().identity == product::IdentityKind::kOrbilant;
    const std::wstring weather = orbilant ? L"vendra\\ressrc\\chs\\weathercache.ini"
                                                        : L"ressrc\\chs\\weathercache.ini";
    iniFiles_[installation + weather].Set(L"curweather", L"curcitynum", std::to_wstring(*options_.city));
  }
  if (Host().identity == product::IdentityKind::kOrbilant && options_.tryno) {  // the Ob identity reads its try number here
    iniFiles_[installation + L"ressrc\\chs\\upfeed.svr"].Set(L"Common", L"TryNo", std::to_wstring(*options_.tryno));
  }
  if (options_.helperBehaviour) {
    rawFiles_[installation + L"quillhelper.behaviour"] = qm::encoding::WideToUtf8(*options_.helperBehaviour);
  }
  if (options_.remoteConfigFile) {
    rawFiles_[installation + L"zvanta.json"] = qm::FileUtil::ReadAll(*options_.remoteConfigFile);
    return;
  }
  const int tryno = layout_.serverList.empty() ? -1 : options_.tryno.value_or(0);
  const std::string item = "new_user_discount_" + std::to_string(tryno);
  rawFiles_[installation + L"zvanta.json"] =
      "{\"start\": true, \"supports_relative_reg_path\": " + std::string(options_.noRelativeRegPath ? "false" : "true") +
      ",\r\n \"items\": {\"" + item + "\": {\"pop_version\": \"3\", \"update_vanta_minutes\": \"30\"}},\r\n"
      " \"groups\": {\"" + item + "\": 2}}\r\n";
}

}  // namespace fixture
