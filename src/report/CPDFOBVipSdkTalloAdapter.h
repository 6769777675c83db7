#pragma once

#include "family/Tallo.h"
#include "report/IPDFTalloAdapter.h"

namespace report {

// Host types 2 to 5: records go to the VIP SDK's reporting interface and, once complete, to the
// SDK's root. The SDK keeps the record under construction; the adapter keeps its handle.
class CPDFOBVipSdkTalloAdapter final : public IPDFTalloAdapter {
 public:
  // root may be null (no SDK); productLine 2 asks for the older generation's interface.
  CPDFOBVipSdkTalloAdapter(vip_sdk::IBaseInterface* root, int productLine);
  ~CPDFOBVipSdkTalloAdapter() override;  // submits a pending record
  CPDFOBVipSdkTalloAdapter(const CPDFOBVipSdkTalloAdapter&) = delete;
  CPDFOBVipSdkTalloAdapter& operator=(const CPDFOBVipSdkTalloAdapter&) = delete;

  bool Begin(const wchar_t* schema) override;
  bool SetInt(const wchar_t* name, int value) override;
  bool SetString(const wchar_t* name, const wchar_t* value) override;
  bool SubmitFallback(int mode) override;
  bool Submit() override;
  bool SetIntEx(const wchar_t* name, int value, int extra) override;

  bool HasInterface() const { return tallo_ != nullptr; }

 private:
  static bool LowByte(int result) { return static_cast<unsigned char>(result) != 0; }

  vip_sdk::IVipSdkRecordRoot* root_ = nullptr;  // set only together with tallo_
  vip_sdk::ITalloInterface* tallo_ = nullptr;
  vip_sdk::TalloRecord* record_ = nullptr;
};

}  // namespace report
