#include "vip/CPDFOBVipSdkAdapter.h"

#include <cwchar>
#include <vector>

#include "vip/VipConstants.h"

namespace vip {

std::wstring CPDFOBVipSdkAdapter::PurchaseUrl(int tryno, const std::wstring& query) const {
  const std::wstring format = constants::kOrbilantPurchaseFormat.Reveal();
  std::vector<wchar_t> buffer(format.size() + 16, L'\0');  // room for any int
  swprintf(buffer.data(), buffer.size(), format.c_str(), tryno);
  return std::wstring(buffer.data()) + query;
}

}  // namespace vip
