#include "vipsdktallo/VipTalloInterface.h"

#include <memory>

#include "common/Journal.h"

namespace siblings {

namespace {

std::wstring Widen(const char* text) { return std::wstring(text, text + std::char_traits<char>::length(text)); }

}  // namespace

vip_sdk::TalloRecord* __stdcall VipTalloInterface::Begin(const wchar_t* schema) {
  try {
    auto record = std::make_unique<vip_sdk::TalloRecord>();
    record->interfaceName = Widen(name_);
    if (!schema || !record->draft.Begin(schema)) {
      Journal(L"vipsdktallo").Append(L"begin_refused", {{L"schema", schema ? schema : L"(null)"}});
      return nullptr;
    }
    std::lock_guard<std::mutex> hold(lock_);
    current_ = record.release();
    return current_;
  } catch (...) {
    return nullptr;
  }
}

int VipTalloInterface::Refuse(const wchar_t* name) {
  Journal(L"vipsdktallo").Append(L"set_refused", {{L"name", name ? name : L"(null)"}});
  return 0;
}

int __stdcall VipTalloInterface::SetInt(const wchar_t* name, int value) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!current_ || !name || !current_->draft.SetInt(name, value)) return Refuse(name);
  return 1;
}

int __stdcall VipTalloInterface::SetInt64(const wchar_t* name, int64_t value) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!current_ || !name || !current_->draft.SetInt(name, value)) return Refuse(name);
  return 1;
}

// The extra value is an SDK-side hint; the stand-in keeps the value only.
int __stdcall VipTalloInterface::SetIntEx(const wchar_t* name, int value, int /*extra*/) { return SetInt(name, value); }

int __stdcall VipTalloInterface::SetString(const wchar_t* name, const wchar_t* value) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!current_ || !name || !current_->draft.SetString(name, value ? value : L"")) return Refuse(name);
  return 1;
}

void VipTalloInterface::Forget(vip_sdk::TalloRecord* record) {
  std::lock_guard<std::mutex> hold(lock_);
  if (current_ == record) current_ = nullptr;
}

}  // namespace siblings
