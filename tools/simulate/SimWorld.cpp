#include "simulate/SimWorld.h"

#include "product/HostProfile.h"
#include "strategy/NewUserDiscountPopStrategy.h"
#include "strategy/PopLocalState.h"
#include "vanta/OfferFields.h"

namespace simulate {

SimWorld::SimWorld(const std::wstring& itemText)
    : itemKey_(strategy::NewUserDiscountPopStrategy::ConfigKey(kTryNo)), itemText_(itemText), reader_(itemText) {}

void SimWorld::Begin(const SimInstall& install, int64_t installTime) {
  install_ = install;
  installTime_ = static_cast<uint32_t>(installTime);
  now_ = installTime;
  loginRemind_ = 0;
  lastShowTime_.clear();
  files_.clear();
  price_ = nullptr;
}

void SimWorld::WriteLastShowTime() {
  lastShowTime_ = strategy::PopLocalState::ShowTimeText(now_);
}

std::wstring SimWorld::RawConfig(const std::wstring& item) {
  return item == itemKey_ ? itemText_ : std::wstring();
}

std::wstring SimWorld::ConfigString(const std::wstring& item, const std::wstring& field, const wchar_t* defaultText) {
  if (item != itemKey_) return defaultText ? defaultText : L"";
  std::wstring key = field;
  key += L'\n';
  if (defaultText) key += defaultText;
  const auto known = strings_.find(key);
  if (known != strings_.end()) return known->second;
  std::wstring text;
  reader_.GetConfigString(text, item, field, defaultText);
  return strings_.emplace(std::move(key), text).first->second;
}

int SimWorld::ConfigInt(const std::wstring& item, const std::wstring& field, int defaultValue) {
  if (item != itemKey_) return defaultValue;
  const std::wstring key = field + L'\n' + std::to_wstring(defaultValue);
  const auto known = numbers_.find(key);
  if (known != numbers_.end()) return known->second;
  return numbers_.emplace(key, reader_.GetConfigInt(item, field, defaultValue)).first->second;
}

strategy::PriceReading SimWorld::Price() {
  strategy::PriceReading price = price_ ? *price_ : strategy::PriceReading();
  price.required = product::HostProfile::Of(install_.hostType).HasPrice();
  return price;
}

std::wstring SimWorld::QaUuidsText(const std::wstring&) {
  return ConfigString(itemKey_, vanta::offer::kQaUuids.name, L"");
}

std::wstring SimWorld::FileMd5(const std::wstring& path) {
  const auto file = files_.find(path);
  return file == files_.end() ? std::wstring() : file->second;
}

}  // namespace simulate
