#pragma once

#include "vip/CPDFNewVipSdkAdapter.h"

namespace vip {

// Host types 4 and 5: the SDK adapter as it is; the facade points their purchase page at the
// main page.
class CPDFABVipSdkAdapter final : public CPDFNewVipSdkAdapter {
 public:
  using CPDFNewVipSdkAdapter::CPDFNewVipSdkAdapter;
};

}  // namespace vip
