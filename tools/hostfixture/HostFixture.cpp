#include "HostFixture.h"

#include <windows.h>

#include "FixtureFiles.h"
#include "utils/FileUtil.h"
#include "product/ChannelReader.h"
#include "product/HostProfile.h"
#include "product/ProductConstants.h"
#include "utils/ConfigDescrambler.h"
#include "utils/TextEncoding.h"
#include "vip/VipIpcConstants.h"

namespace fixture {

using namespace product::constants;
using product::ChannelKeyRule;
using product::FolderRule;
using product::HostProfile;
using product::InstallTimeRule;
using product::ReportPath;
using product::VipPath;

namespace {

std::wstring WithoutBackslash(std::wstring folder) {
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\') + 1); }

std::wstring ChannelKey(const FixtureOptions& options) {
  const HostProfile& host = HostProfile::Of(options.hostType);
  if (host.channelKey == ChannelKeyRule::kFixed) return host.channelKeyText();
  return L"Software\\" + options.channelName.value_or(host.channelKeyText());
}

}  // namespace

void HostFixture::WriteRegistry() {
  const std::wstring installation = WithoutBackslash(layout_.installation);
  switch (options_.hostType) {
    case 1:
      registry_.SetString(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, kTessikKey.Reveal(), kProgramPath.Reveal(),
                          layout_.installation);
      break;
    case 2:  // recorded without the trailing backslash, as that installer does
      registry_.SetString(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, kOrbilantKey.Reveal(), kAppPath.Reveal(), installation);
      break;
    case 3: {  // an uninstall string written with forward slashes
      std::wstring uninstaller = installation + L"\\uninst.exe";
      for (auto& c : uninstaller) c = c == L'\\' ? L'/' : c;
      registry_.SetString(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, kQuillonKey.Reveal(), kUninstallString.Reveal(),
                          uninstaller);
      break;
    }
    case 7:
      registry_.SetString(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, kFennickKey.Reveal(), kProgramPath.Reveal(),
                          layout_.installation);
      break;
    default: break;
  }
  WriteFamilyRow(installation);
  const std::wstring channelKey = ChannelKey(options_);
  for (const auto& [name, value] : options_.channel) {
    if (name == L"tid1" && options_.tid1AsQword) {
      registry_.SetQword(HKEY_CURRENT_USER, 0, channelKey, name, value);
    } else {
      registry_.SetDword(HKEY_CURRENT_USER, 0, channelKey, name, value);
    }
  }
  if (options_.firstOpenTime && Host().installTime == InstallTimeRule::kFirstOpenTime) {
    registry_.SetDword(HKEY_LOCAL_MACHINE, 0, channelKey + L"\\inkread", L"first_open_time",
                       static_cast<DWORD>(*options_.firstOpenTime));
  }
  const std::wstring category = product::ChannelReader::kCategoryKey;
  if (options_.svrid) registry_.SetString(HKEY_CLASSES_ROOT, KEY_WOW64_32KEY, category, L"svrid", *options_.svrid);
  if (options_.uuid) registry_.SetString(HKEY_CLASSES_ROOT, KEY_WOW64_32KEY, category, L"uuid", *options_.uuid);
  WriteIdentity();
}

// Builds without a registry row of their own can sit inside another family product's folder,
// where the shared libraries are found.
void HostFixture::WriteFamilyRow(const std::wstring& installation) {
  if (options_.familyRow == 5) {
    registry_.SetString(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, kQuillonOfficeKey.Reveal(), kUninstallString.Reveal(),
                        installation + L"\\uninst.exe");
  } else if (options_.familyRow == 101) {
    registry_.SetString(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, kPageSdkKey.Reveal(), kWorkPath.Reveal(), installation);
  }
}

void HostFixture::CollectIniFiles() {
  auto set = [this](const std::wstring& path, const wchar_t* key, int value) {
    if (!path.empty()) iniFiles_[path].Set(L"common", key, std::to_wstring(value));
  };
  if (!layout_.serverList.empty()) {
    iniFiles_[layout_.serverList];
    if (options_.tryno) set(layout_.serverList, L"tryno", *options_.tryno);
  }
  if (!layout_.editionFile.empty()) {
    iniFiles_[layout_.editionFile];
    set(layout_.editionFile, L"Edition", options_.edition.value_or(options_.hostType));
    if (options_.productLine) set(layout_.editionFile, L"ProductLine", *options_.productLine);
  }
  iniFiles_[layout_.configFile];
  if (options_.productId) set(layout_.configFile, L"product_id", *options_.productId);
  if (options_.abProduct) set(layout_.configFile, L"is_ab_product", *options_.abProduct);
  if (options_.channelName && Host().channelKey == ChannelKeyRule::kConfigChanName) {
    iniFiles_[layout_.configFile].Set(L"common", L"chan_name", *options_.channelName);
  }
  if (options_.account) {
    iniFiles_[WithoutBackslash(layout_.installation) + L"\\cfgdata\\cfgdata.ini.user"].Set(
        L"account", L"account", std::to_wstring(*options_.account));
  }
  if (options_.pageSdkEdition || options_.pageSdkDir || Host().folders == FolderRule::kPageSdk) {
    auto& pageSdk = iniFiles_[layout_.installation + L"zpagesdk.dat"];
    pageSdk.Set(L"Common", L"Install_dir", options_.pageSdkDir.value_or(L""));
    if (options_.pageSdkEdition) pageSdk.Set(L"Common", L"sdk_edition", std::to_wstring(*options_.pageSdkEdition));
  }
  if (Host().channelKey == ChannelKeyRule::kComponentRegName) CollectComponentConfig();
  if (!options_.noRemoteConfig) CollectRemoteConfig();
}

void HostFixture::CollectComponentConfig() {
  qm::IniDocument component;
  component.Set(L"Product", L"reg_name", options_.channelName.value_or(L"quillon"));
  if (options_.cacheDir) component.Set(L"file", L"cache_dir", *options_.cacheDir);
  if (!options_.scrambledComponentConfig) {
    iniFiles_[layout_.installation + L"cfgdata\\componentconfig.ini"] = component;
    return;
  }
  std::string bytes = qm::encoding::WideToUtf8(component.ToText());
  qm::encoding::ConfigDescrambler::DescrambleInPlace(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
  rawFiles_[layout_.installation + L"cfgdata\\componentconfig.dat"] = bytes;
}

bool HostFixture::WriteFiles(std::wstring& error) {
  for (const auto& [path, document] : iniFiles_) {
    if (!qm::FileUtil::WriteAll(path, qm::encoding::WideToUtf8(document.ToText()))) {
      error = L"cannot write " + path;
      return false;
    }
  }
  for (const auto& [path, bytes] : rawFiles_) {
    if (!qm::FileUtil::WriteAll(path, bytes)) {
      error = L"cannot write " + path;
      return false;
    }
  }
  if (Host().folders == FolderRule::kTessik && !options_.noIdentityFiles) {
    qm::FileUtil::WriteAll(layout_.installation + L"zinkvert.zid", "");
    qm::FileUtil::WriteAll(layout_.installation + L"zinkread.zid", "");
  }
  if (options_.withWexutil) {
    std::string rules;
    for (const auto& [from, to] : options_.wexutilRules) {
      rules += qm::encoding::WideToUtf8(from) + "\t" + qm::encoding::WideToUtf8(to) + "\r\n";
    }
    qm::FileUtil::WriteAll(layout_.installation + L"wexutil.map", rules);
  }
  return true;
}

bool HostFixture::CopyBinaries(std::wstring& error) {
  const std::wstring from = OwnFolder();
  std::map<std::wstring, std::wstring> copies = {{layout_.hostExecutable, from + L"demohost.exe"},
                                                 {layout_.installation + L"pagesdkutil.dll", from + L"pagesdkutil.dll"}};
  if (!options_.noPdfApplication) copies[layout_.pdfApplication] = from + L"demohost.exe";
  if (options_.withWexutil) copies[layout_.installation + L"wexutil.dll"] = from + L"wexutil.dll";
  if (!options_.noRemoteConfig) copies[layout_.installation + L"zvanta.dll"] = from + L"zvanta.dll";
  // The helper serves forced refreshes beside the host and raised-rights starts in the reader folder.
  copies[FolderOf(layout_.hostExecutable) + L"quillhelper.exe"] = from + L"quillhelper.exe";
  copies[FolderOf(layout_.pdfApplication) + L"quillhelper.exe"] = from + L"quillhelper.exe";
  copies[layout_.installation + kVipPageProgram.Reveal()] = from + L"vippage.exe";
  // The network library serves prices and picture downloads from the product folder.
  copies[layout_.installation + L"netvok.dll"] = from + L"netvok.dll";
  if (Host().report == ReportPath::kVipSdk) {
    // The VIP SDK with its reporting interface in front of the account stand-in (logged out
    // until a "vipsdk.state.json" says otherwise).
    copies[layout_.installation + L"wystanvipsdk.dll"] = from + L"vipsdktallo.dll";
    copies[layout_.installation + L"vipsdkcore.dll"] = from + L"wystanvipsdk.dll";
  }
  if (Host().report == ReportPath::kTessikClient) {
    copies[FolderOf(layout_.hostExecutable) + L"tessiktallo.dll"] = from + L"tessiktallo.dll";
  }
  if (Host().vip == VipPath::kTessikService || Host().vip == VipPath::kFennickAccount) AddVipStandIns(copies);
  for (const auto& [target, source] : copies) {
    if (!CopyCreatingFolders(source, target)) {
      error = L"cannot copy " + source + L" to " + target;
      return false;
    }
  }
  return true;
}

// The account sources of hosts 1 and 7: the IPC library and VIP service (not started) beside the
// host, the privilege store in the program folder; the browser's account library and browser.
void HostFixture::AddVipStandIns(std::map<std::wstring, std::wstring>& copies) const {
  const std::wstring from = OwnFolder();
  const std::wstring hostFolder = FolderOf(layout_.hostExecutable);
  if (Host().vip == VipPath::kTessikService) {
    copies[hostFolder + vip::constants::kIpcLibrary.Reveal()] = from + L"tandipc.dll";
    copies[hostFolder + kTessikVipService.Reveal()] = from + L"tessikvipsvc.exe";
    copies[hostFolder + kTessikVipPageProgram.Reveal()] = from + L"vippage.exe";
    copies[layout_.installation + vip::constants::kPrivilegeLibrary.Reveal()] = from + L"vdprivcore.dll";
    if (!options_.noPrivilegeExtra) {
      copies[layout_.installation + vip::constants::kPrivilegeExtraLibrary.Reveal()] = from + L"vdprivext.dll";
    }
  } else {
    copies[layout_.installation + vip::constants::kFennickAccountLibrary.Reveal()] = from + L"fkaccount.dll";
    copies[layout_.installation + vip::constants::kFennickBrowser.Reveal()] = from + L"vippage.exe";
  }
  if (options_.vipStateFile) copies[layout_.installation + L"vip.state.json"] = *options_.vipStateFile;
}

bool HostFixture::Install(std::wstring& error) {
  Remove(error);
  if (Host().vip == VipPath::kTessikService) EndStandInProcesses(true);
  WriteRegistry();
  CollectIniFiles();
  if (!WriteFiles(error) || !CopyBinaries(error)) return false;
  return qm::FileUtil::WriteAll(ManifestPath(), qm::encoding::WideToUtf8(registry_.Manifest()));
}

bool HostFixture::Remove(std::wstring& error) {
  EndStandInProcesses(false);
  const std::string manifest = qm::FileUtil::ReadAll(ManifestPath());
  RegistryRecorder::RemoveFromManifest(qm::encoding::Utf8ToWide(manifest));
  qm::FileUtil::RemoveTree(WithoutBackslash(options_.root));
  error.clear();
  return true;
}

}  // namespace fixture
