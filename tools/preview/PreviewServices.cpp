#include "preview/PreviewServices.h"

namespace preview {

PreviewServices::PreviewServices(campaign::CampaignItem item, int hostType, std::wstring utilFolder,
                                 std::map<std::wstring, int> overrides, vipcenter::PayPriceInfo price)
    : item_(std::move(item)),
      hostType_(hostType),
      utilFolder_(std::move(utilFolder)),
      overrides_(std::move(overrides)),
      price_(price) {}

int PreviewServices::ConfigInt(const std::wstring& field, int defaultValue) {
  const auto found = overrides_.find(field);
  return found != overrides_.end() ? found->second : item_.Int(field, defaultValue);
}

int PreviewServices::QueryPrice(int, vipcenter::PayPriceInfo& price) {
  price = price_;
  return price_.valid ? 0 : -1;
}

void PreviewServices::RefreshResources(HANDLE, vipcenter::PayPriceInfo& price) {
  price = price_;
  SetEvent(refreshed_.get());
}

}  // namespace preview
