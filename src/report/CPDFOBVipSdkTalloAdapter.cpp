#include "report/CPDFOBVipSdkTalloAdapter.h"

#include <cstring>

namespace report {

CPDFOBVipSdkTalloAdapter::CPDFOBVipSdkTalloAdapter(vip_sdk::IBaseInterface* root, int productLine) {
  if (!root) return;
  const char* name = productLine == 2 ? vip_sdk::kTessikTalloInterfaceName : vip_sdk::kTalloInterfaceName;
  vip_sdk::IBaseInterface* answer = root->QueryInterface(name);
  // The SDK is another compiler's: its objects carry no type information the module could read.
  // An object that does not give the name asked for is no reporting interface.
  const char* own = answer ? answer->InterfaceName() : nullptr;
  if (!own || std::strcmp(own, name) != 0) return;
  tallo_ = static_cast<vip_sdk::ITalloObject*>(answer);
  root_ = static_cast<vip_sdk::IVipSdkRecordRoot*>(root);
}

CPDFOBVipSdkTalloAdapter::~CPDFOBVipSdkTalloAdapter() {
  if (record_) Submit();
}

bool CPDFOBVipSdkTalloAdapter::Begin(const wchar_t* schema) {
  if (!tallo_ || !schema) return false;
  // A record begun and never submitted would stay inside the SDK: hand it over first.
  if (record_) Submit();
  record_ = tallo_->Begin(schema);
  return record_ != nullptr;
}

bool CPDFOBVipSdkTalloAdapter::SetInt(const wchar_t* name, int value) {
  return tallo_ && name && LowByte(tallo_->SetInt(name, value));
}

bool CPDFOBVipSdkTalloAdapter::SetString(const wchar_t* name, const wchar_t* value) {
  return tallo_ && name && LowByte(tallo_->SetString(name, value ? value : L""));
}

bool CPDFOBVipSdkTalloAdapter::SetIntEx(const wchar_t* name, int value, int extra) {
  return tallo_ && name && LowByte(tallo_->SetIntEx(name, value, extra));
}

bool CPDFOBVipSdkTalloAdapter::Submit() {
  if (!tallo_ || !record_) return false;
  vip_sdk::TalloRecord* const record = record_;
  record_ = nullptr;  // the root frees it, whatever it answers
  return LowByte(root_->SubmitRecord(record));
}

bool CPDFOBVipSdkTalloAdapter::SubmitFallback(int /*mode*/) { return Submit(); }

}  // namespace report
