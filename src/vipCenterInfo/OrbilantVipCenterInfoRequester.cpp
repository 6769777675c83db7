#include "vipCenterInfo/OrbilantVipCenterInfoRequester.h"

#include "utils/HmacMd5.h"
#include "utils/TextEncoding.h"
#include "vipCenterInfo/VipCenterConstants.h"

namespace vipcenter {

using namespace constants;

std::wstring OrbilantVipCenterInfoRequester::GetConfigInterfaceUrl() { return kOrbilantConfigUrl.Reveal(kUrlKey); }

std::wstring OrbilantVipCenterInfoRequester::GetPriceInterfaceUrl() { return kOrbilantPriceUrl.Reveal(kUrlKey); }

std::wstring OrbilantVipCenterInfoRequester::BuildConfigRequestBody() { return ConfigBody(L"OrbilantHome"); }

std::wstring OrbilantVipCenterInfoRequester::BuildPriceRequestBody(int showId) {
  return PriceBody(showId, false, true);
}

VipCenterInfoRequester::Headers OrbilantVipCenterInfoRequester::BuildPriceRequestHeaders(const std::wstring& body) {
  Headers headers;
  headers["X-Qm-Productid"] = qm::encoding::WideToMultiByte(kOrbilantProductId, CP_ACP);
  headers["X-Qm-Gray-Key"] = std::to_string(channel_.tryno);
  // The key exists in plain form only for the signing.
  std::string key = kSigningKey.Reveal(kSigningKeyKey);
  headers["X-Qm-Authorization"] = qm::encoding::ZMd5::Hex(qm::encoding::HmacMd5(key, qm::encoding::WideToUtf8(body)));
  SecureZeroMemory(key.data(), key.size());
  return headers;
}

}  // namespace vipcenter
