#include "vipCenterInfo/VipCenterUserSource.h"

#include <mutex>

namespace vipcenter {

namespace {

struct ProviderSlot {
  std::mutex lock;
  VipCenterUserSource::Provider provider;
};

ProviderSlot& Slot() {
  static ProviderSlot* const slot = new ProviderSlot();  // lives until the module unloads
  return *slot;
}

}  // namespace

void VipCenterUserSource::Connect(Provider provider) {
  std::lock_guard<std::mutex> guard(Slot().lock);
  Slot().provider = std::move(provider);
}

VipCenterUser VipCenterUserSource::Current() {
  Provider provider;
  {
    std::lock_guard<std::mutex> guard(Slot().lock);
    provider = Slot().provider;
  }
  if (!provider) return {};
  try {
    return provider();
  } catch (...) {
    return {};
  }
}

}  // namespace vipcenter
