#include "vipCenterInfo/VipCenterContext.h"

#include "product/ChannelReader.h"
#include "product/HostSystem.h"
#include "product/ProductInfo.h"
#include "vanta/ZVantaWarpper.h"

namespace vipcenter {

namespace {

// The offer's remote-configuration item, named with the host's try number.
std::wstring OfferItem() {
  product::ChannelReader reader(product::HostSystem::Real(), product::ProductInfo::Instance());
  return L"new_user_discount_" + std::to_wstring(reader.TryNo());
}

}  // namespace

VipCenterContext VipCenterContext::Current() {
  VipCenterContext context;
  product::ChannelReader(product::HostSystem::Real(), product::ProductInfo::Instance()).ReadChannel(context.channel);
  context.configString = [](const std::wstring& field, const std::wstring& defaultText) {
    std::wstring text;
    vanta::CurrentWarpper().GetConfigString(text, OfferItem(), field, defaultText.c_str());
    return text;
  };
  context.user = &VipCenterUserSource::Current;
  context.makeClient = [] { return std::make_unique<network::ZTessikNetvok>(); };
  return context;
}

}  // namespace vipcenter
