#pragma once

#include <mutex>
#include <string>

#include "family/Tallo.h"
#include "tallo/TalloRecordDraft.h"

namespace vip_sdk {

// A record under construction, handed to the module as an opaque handle.
struct TalloRecord {
  siblings::TalloRecordDraft draft;
  std::wstring interfaceName;  // which of the two reporting interfaces began it
};

}  // namespace vip_sdk

namespace siblings {

// The VIP SDK's reporting interface: fills the record begun last; the root accepts it.
class VipTalloInterface final : public vip_sdk::ITalloObject {
 public:
  explicit VipTalloInterface(const char* name) : name_(name) {}

  void* __stdcall DeletingDestructor(unsigned int) override { return this; }  // the library's own
  const char* __stdcall InterfaceName() override { return name_; }
  vip_sdk::IBaseInterface* __stdcall QueryInterface(const char*) override { return nullptr; }

  vip_sdk::TalloRecord* __stdcall Begin(const wchar_t* schema) override;
  int __stdcall SetString(const wchar_t* name, const wchar_t* value) override;
  int __stdcall SetInt(const wchar_t* name, int value) override;
  int __stdcall SetInt64(const wchar_t* name, int64_t value) override;
  int __stdcall SetIntEx(const wchar_t* name, int value, int extra) override;

  // The root takes the record back; the interface forgets it if it was the current one.
  void Forget(vip_sdk::TalloRecord* record);

 private:
  int Refuse(const wchar_t* name);

  const char* name_;
  std::mutex lock_;
  vip_sdk::TalloRecord* current_ = nullptr;  // owned by the module's handle until submitted
};

}  // namespace siblings
