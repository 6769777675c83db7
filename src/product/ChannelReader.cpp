#include "product/ChannelReader.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "product/ComponentConfig.h"
#include "product/HostProfile.h"
#include "product/ProductConstants.h"
#include "product/ProductInfoLoader.h"
#include "utils/ZIniReader.h"

namespace product {

using namespace constants;

std::wstring ChannelReader::ChannelKeyPath() {
  const HostProfile& profile = HostProfile::Of(info_.hostType);
  switch (profile.channelKey) {
    case ChannelKeyRule::kFixed: return profile.channelKeyText();
    case ChannelKeyRule::kConfigChanName: {
      qm::ZIniReader config;
      config.Load(info_.configFile);
      return L"Software\\" + config.GetString(L"common", L"chan_name", profile.channelKeyText());
    }
    case ChannelKeyRule::kComponentRegName: break;
  }
  qm::ZIniReader component;
  ComponentConfig::Load(info_.installationFolder, component);
  return L"Software\\" + component.GetString(L"Product", L"reg_name", profile.channelKeyText());
}

void ChannelReader::ReadChannel(ChannelInfo& channel) {
  const std::wstring key = ChannelKeyPath();
  const std::pair<const wchar_t*, uint32_t*> fields[] = {{L"tid1", &channel.tid1}, {L"tid2", &channel.tid2},
                                                         {L"tod1", &channel.tod1}, {L"tod2", &channel.tod2},
                                                         {L"pid", &channel.pid},   {L"installtime", &channel.installtime}};
  for (const auto& [name, field] : fields) {
    if (const auto value = system_.ReadDword(HKEY_CURRENT_USER, key, name)) *field = *value;
  }
  // The 32-bit view, as the shipped 32-bit module sees it on 64-bit Windows.
  channel.uuid = system_.ReadString(HKEY_CLASSES_ROOT, kCategoryKey, L"uuid", KEY_WOW64_32KEY).value_or(L"");
  channel.svrid = system_.ReadString(HKEY_CLASSES_ROOT, kCategoryKey, L"svrid", KEY_WOW64_32KEY).value_or(L"");
  channel.tryno = TryNo();
  channel.version = HostVersion();
}

int ChannelReader::TryNo() {
  if (info_.trynoCache == -1 && !info_.serverListFile.empty() && IsExistingFile(info_.serverListFile)) {
    info_.trynoCache = static_cast<int>(GetPrivateProfileIntW(L"common", L"tryno", 0, info_.serverListFile.c_str()));
  }
  return info_.trynoCache;
}

bool ChannelReader::IsHostApplicationPresent() {
  return !info_.pdfApplication.empty() && IsExistingFile(info_.pdfApplication);
}

std::wstring ChannelReader::HostVersion() {
  if (!IsHostApplicationPresent()) return {};
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(info_.pdfApplication.c_str(), &ignored);
  if (size == 0) return {};
  std::string data(size, '\0');
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoW(info_.pdfApplication.c_str(), 0, size, data.data()) ||
      !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed) {
    return {};
  }
  wchar_t text[64] = {};
  swprintf(text, 64, L"%d.%d.%d.%d", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
           HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
  return text;
}

int ChannelReader::ConfiguredProductId(int hostType, const qm::ZIniReader& config, bool hostApplicationPresent) {
  const HostProfile& profile = HostProfile::Of(hostType);
  int fallback = profile.productIdDefault != 0 ? profile.productIdDefault : hostType;
  if (profile.productIdNeedsApplication && !hostApplicationPresent) fallback = 111;
  return config.GetInt(L"common", L"product_id", fallback);
}

bool ChannelReader::IsAbProduct(int hostType, const qm::ZIniReader& config) {
  return HostProfile::Of(hostType).productVariantFlag && config.GetInt(L"common", L"is_ab_product", 0) != 0;
}

int ChannelReader::VipProductId() {
  qm::ZIniReader config;
  config.Load(info_.configFile);
  const bool present = IsHostApplicationPresent();
  const int configured = ConfiguredProductId(info_.hostType, config, present);
  if (configured != 13) return configured;
  int fallback = IsAbProduct(info_.hostType, config) ? 103 : 13;
  if (!present) fallback = 111;
  std::wstring installation = info_.installationFolder;
  if (!installation.empty() && installation.back() == L'\\') installation.pop_back();
  const std::wstring userFile = installation + L"\\cfgdata\\cfgdata.ini.user";
  const int account = static_cast<int>(GetPrivateProfileIntW(L"account", L"account", fallback, userFile.c_str()));
  return present ? account : 111;
}

int ChannelReader::PurchaseProductId() {
  qm::ZIniReader config;
  config.Load(info_.configFile);
  return PurchaseProductId(info_.hostType, config, IsHostApplicationPresent());
}

int ChannelReader::PurchaseProductId(int hostType, const qm::ZIniReader& config, bool hostApplicationPresent) {
  const int configured = ConfiguredProductId(hostType, config, hostApplicationPresent);
  if (configured != 13 || !IsAbProduct(hostType, config)) return configured;
  return hostApplicationPresent ? 103 : 111;
}

}  // namespace product
