#include "vipCenterInfo/TessikVipCenterInfoRequester.h"

#include "vipCenterInfo/VipCenterConstants.h"

namespace vipcenter {

using namespace constants;

std::wstring TessikVipCenterInfoRequester::GetConfigInterfaceUrl() { return kTessikConfigUrl.Reveal(kUrlKey); }

std::wstring TessikVipCenterInfoRequester::GetPriceInterfaceUrl() { return kTessikPriceUrl.Reveal(kUrlKey); }

std::wstring TessikVipCenterInfoRequester::BuildConfigRequestBody() { return ConfigBody(L"Home"); }

std::wstring TessikVipCenterInfoRequester::BuildPriceRequestBody(int showId) {
  return PriceBody(showId, true, false);
}

VipCenterInfoRequester::Headers TessikVipCenterInfoRequester::BuildPriceRequestHeaders(const std::wstring&) {
  return {};
}

}  // namespace vipcenter
