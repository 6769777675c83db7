#include "strategy/Win32PopStrategyWorld.h"

#include <cstring>
#include <ctime>

#include "product/ChannelReader.h"
#include "product/HostProfile.h"
#include "strategy/InstallTimeSource.h"
#include "strategy/PopFiles.h"
#include "utils/FileUtil.h"
#include "vanta/ZVantaWarpper.h"
#include "vip/CPDFVipSdkAdapter.h"

namespace strategy {

Win32PopStrategyWorld& Win32PopStrategyWorld::Current() {
  static Win32PopStrategyWorld* const world =
      new Win32PopStrategyWorld(product::HostSystem::Real(), product::ProductInfo::Instance(), vanta::CurrentWarpper(),
                                [] { return vip::CPDFVipSdkAdapter::Instance().GetVipState(); });
  return *world;
}

PriceReading Win32PopStrategyWorld::Price() {
  PriceReading price;
  {
    std::lock_guard<std::mutex> hold(priceLock_);
    price = lastPrice_;
  }
  price.required = product::HostProfile::Of(info_.hostType).HasPrice();
  return price;
}

void Win32PopStrategyWorld::SetLastPrice(const PriceReading& price) {
  std::lock_guard<std::mutex> hold(priceLock_);
  lastPrice_ = price;
}

int Win32PopStrategyWorld::TryNo() { return product::ChannelReader(system_, info_).TryNo(); }

std::wstring Win32PopStrategyWorld::RawConfig(const std::wstring& item) {
  std::wstring text;
  if (!vanta_.GetRawConfig(item, text)) text.clear();
  return text;
}

std::wstring Win32PopStrategyWorld::ConfigString(const std::wstring& item, const std::wstring& field,
                                                 const wchar_t* defaultText) {
  std::wstring text;
  return vanta_.GetConfigString(text, item, field, defaultText);
}

int Win32PopStrategyWorld::ConfigInt(const std::wstring& item, const std::wstring& field, int defaultValue) {
  return vanta_.GetConfigInt(item, field, defaultValue);
}

int Win32PopStrategyWorld::AbGroup(const std::wstring& item, int defaultGroup) {
  return vanta_.GetABTestGroup(item, defaultGroup);
}

// Four bytes whatever the value's type; a missing key or value, or a longer value, gives 0.
InstallTimeReading Win32PopStrategyWorld::InstallTime() {
  const std::wstring channelKey = product::ChannelReader(system_, info_).ChannelKeyPath();
  const InstallTimeSource source = InstallTimeSource::For(info_.hostType, channelKey, system_.ExecutablePath());
  InstallTimeReading reading;
  reading.source = source.Describe();
  const product::RegistryData data = system_.QueryValue(source.root, source.path, source.value, 0, sizeof(uint32_t));
  if (data.status == ERROR_SUCCESS && data.bytes.size() <= sizeof(uint32_t)) {
    std::memcpy(&reading.seconds, data.bytes.data(), data.bytes.size());
  }
  return reading;
}

int64_t Win32PopStrategyWorld::Now() { return static_cast<int64_t>(std::time(nullptr)); }

std::wstring Win32PopStrategyWorld::UtilFolder() {
  if (info_.localConfigFolder.empty()) return {};
  const std::wstring folder = info_.localConfigFolder + kUtilFolderName;
  if (createUtilFolder_ && GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES) {
    qm::FileUtil::CreateParentFolders(folder + kStateFile);
  }
  return folder;
}

int Win32PopStrategyWorld::ChannelValue(const wchar_t* name) {
  const std::wstring channelKey = product::ChannelReader(system_, info_).ChannelKeyPath();
  return static_cast<int>(system_.ReadDword(HKEY_CURRENT_USER, channelKey, name).value_or(0));
}

// The 32-bit view, as the channel record reads it.
std::wstring Win32PopStrategyWorld::MachineUuid() {
  return system_.ReadString(HKEY_CLASSES_ROOT, product::ChannelReader::kCategoryKey, L"uuid", KEY_WOW64_32KEY)
      .value_or(L"");
}

int Win32PopStrategyWorld::Tid1() { return ChannelValue(L"tid1"); }

int Win32PopStrategyWorld::Tid2() { return ChannelValue(L"tid2"); }

}  // namespace strategy
