#include "product/ProductInfoLoader.h"

#include "product/ComponentConfig.h"
#include "product/HostProfile.h"
#include "product/PageSdkFile.h"
#include "product/ProductConstants.h"
#include "utils/FileUtil.h"
#include "utils/Log.h"
#include "utils/ZIniReader.h"

namespace product {

using namespace constants;

bool IsExistingFile(const std::wstring& path) { return qm::FileUtil::IsFile(path); }

std::wstring WithBackslash(std::wstring folder) {
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return folder;
}

std::wstring FolderOfPath(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return WithBackslash(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash));
}

void ProductInfoLoader::LoadCurrent() {
  ProductInfo& info = ProductInfo::Instance();
  if (info.loaded) return;
  info.loaded = true;
  ProductInfoLoader(HostSystem::Real(), ProductDetector::Current()).Load(info);
}

void ProductInfoLoader::Load(ProductInfo& info) {
  const bool loaded = info.loaded;
  const int trynoCache = info.trynoCache;
  info = ProductInfo{};
  info.loaded = loaded;
  info.trynoCache = trynoCache;
  info.moduleFolder = FolderOfPath(system_.ModulePath());
  LoadHostType(info);
  LoadFolders(info);
  LoadNames(info);
  LoadLocalConfig(info);
  LoadPageSdk(info);
}

void ProductInfoLoader::LoadHostType(ProductInfo& info) {
  info.editionFile = info.moduleFolder + L"upfeed.svr";
  if (!IsExistingFile(info.editionFile)) info.editionFile = info.moduleFolder + L"ressrc\\chs\\upfeed.svr";
  switch (detection_.productId) {
    case 2: info.hostType = 2; return;
    case 9: info.hostType = 3; return;
    case 8: info.hostType = 7; return;
    default: break;
  }
  qm::ZIniReader reader;
  reader.Load(info.editionFile);
  const int edition = reader.GetInt(L"common", L"Edition", 0);
  const int line = reader.GetInt(L"common", L"ProductLine", 0);
  info.hostType = edition == 0 ? 1 : edition;
  info.productLine = line == 0 ? 1 : line;
  if (!HostProfile::Find(info.hostType)) {
    ZLOG(ERROR) << L"unknown host type " << info.hostType << L" in " << info.editionFile
                << L": no VIP state, no records, no price; the defaults of a PDF build apply";
  }
}

std::wstring ProductInfoLoader::TessikBase(const std::wstring& installation, const wchar_t* identityFile) {
  return IsExistingFile(installation + identityFile) ? installation : installation + kTessikComponentFolder.Reveal();
}

void ProductInfoLoader::LoadFolders(ProductInfo& info) {
  std::wstring& installation = info.installationFolder;
  switch (HostProfile::Of(info.hostType).folders) {
    case FolderRule::kTessik:
      installation = WithBackslash(system_.ReadString(HKEY_LOCAL_MACHINE, kTessikKey.Reveal(), kProgramPath.Reveal(),
                                                      KEY_WOW64_32KEY).value_or(L""));
      info.applicationFolder = TessikBase(installation, L"zinkvert.zid") + L"vipapp\\inkvert\\";
      info.readerFolder = TessikBase(installation, L"zinkread.zid") + L"app\\inkread\\";
      info.serverListFile = installation + L"ressrc\\chs\\upfeed.svr";
      break;
    case FolderRule::kOrbilant:
      installation = WithBackslash(ProductDetector(system_).FolderOf(2).value_or(L""));
      info.applicationFolder = installation + L"inkvert\\";
      info.readerFolder = installation + L"app\\inkread\\";
      info.serverListFile = installation + L"upfeed.svr";
      break;
    case FolderRule::kModuleServerList:
      installation = info.moduleFolder;
      info.applicationFolder = info.readerFolder = installation;
      info.configFile = installation + L"upfeed.svr";
      if (!IsExistingFile(info.configFile)) info.configFile = installation + L"ressrc\\chs\\upfeed.svr";
      info.serverListFile = installation + L"ressrc\\chs\\upfeed.svr";
      break;
    case FolderRule::kPageSdk:
      installation = info.moduleFolder;
      info.applicationFolder = info.readerFolder = installation + L"pdf\\";
      break;
    case FolderRule::kFennick:
      installation = WithBackslash(system_.ReadString(HKEY_LOCAL_MACHINE, kFennickKey.Reveal(), kProgramPath.Reveal(),
                                                      KEY_WOW64_32KEY).value_or(L""));
      info.readerFolder = installation + kFennickReaderFolder.Reveal();
      info.applicationFolder = info.readerFolder;
      info.serverListFile = installation + L"ressrc\\chs\\upfeed.svr";
      break;
    case FolderRule::kModule:
      installation = info.moduleFolder;
      info.applicationFolder = installation;
      break;
  }
  if (info.configFile.empty()) info.configFile = info.applicationFolder + L"pdfconstcfg.dat";
  info.pdfApplication = info.readerFolder.empty() ? std::wstring() : info.readerFolder + kPdfApplicationExe.Reveal();
}

void ProductInfoLoader::LoadNames(ProductInfo& info) {
  info.brandName = HostProfile::Of(info.hostType).brand();
  info.readerDisplayName = info.brandName + L"PDF\u9605\u8bfb\u5668";
  info.converterDisplayName = info.brandName + L"PDF\u8f6c\u6362\u5668";
  info.pdfDisplayName = info.brandName + L"PDF";
}

void ProductInfoLoader::LoadLocalConfig(ProductInfo& info) {
  const HostProfile& profile = HostProfile::Of(info.hostType);
  std::wstring folderName = profile.localFolder();
  if (profile.localFolderFromComponent) {
    qm::ZIniReader component;
    ComponentConfig::Load(info.installationFolder, component);
    folderName = component.GetString(L"file", L"cache_dir", folderName);
  }
  const std::wstring base = system_.LocalAppDataFolder();
  info.localConfigFile = base + L"\\" + folderName + L"\\config.ini";
  info.localConfigFolder = base + L"\\" + folderName + L"\\";
}

void ProductInfoLoader::LoadPageSdk(ProductInfo& info) {
  const PageSdkFile pageSdk = PageSdkFile::Read(info.moduleFolder + L"zpagesdk.dat");
  info.pageSdkPresent = pageSdk.present;
  info.pageSdkInstallDir = pageSdk.installDir;
  info.sdkValue = pageSdk.sdkValue;
}

}  // namespace product
