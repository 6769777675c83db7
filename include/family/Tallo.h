#pragma once

// The contracts with the product family's two reporting components (Tallo records).
//
// The Tessik host's reporting client library exports
//   ITalloClient2* __stdcall GetExportInterface(const wchar_t* interfaceName)
// which hands out a new client for the name "ITalloClient2" (null for any other name). The client
// table uses the family's default member-call convention; slot 2 releases the client. A record is
// begun with a schema, filled field by field in schema order and submitted; after a failed submit
// the caller may hand the record over once more through the fallback slot.
//
// The VIP SDK library (family/VipSdk.h) hands out its reporting interface by name from the root's
// slot 2 ("vip_sdk_tallo_interface", or "tessik_vip_sdk_tallo_interface" for product line 2) as an
// ITalloObject; the module takes it for one when its slot 1 gives that name (the SDK's objects
// carry no type information the module could read). That interface keeps the record under
// construction; its begin slot answers the record's handle, which the root's slot 13 accepts once
// the record is complete. Those tables use the standard call convention with the object first.

#include <windows.h>

#include <cstdint>

#include "family/VipSdk.h"

namespace tallo {

inline constexpr char kGetExportInterfaceExport[] = "GetExportInterface";
inline constexpr wchar_t kClientInterfaceName[] = L"ITalloClient2";

class ITalloClient2;
using GetExportInterfaceFn = ITalloClient2*(__stdcall*)(const wchar_t* interfaceName);

// Slots the module does not call are the client's own; they keep the numbering.
class ITalloClient2 {
 public:
  virtual void* DeletingDestructor(unsigned int flags) = 0;                    // 0
  virtual unsigned long AddRef() = 0;                                          // 1
  virtual unsigned long Release() = 0;                                         // 2
  virtual bool SetProductId(int productId) = 0;                                // 3
  virtual bool SetUserId(const wchar_t* userId) = 0;                           // 4
  virtual bool SetInt(const wchar_t* name, int value) = 0;                     // 5
  virtual bool SetString(const wchar_t* name, const wchar_t* value) = 0;       // 6
  virtual bool SetInt64(const wchar_t* name, int64_t value) = 0;               // 7
  virtual bool SubmitFallback(int mode) = 0;                                   // 8
  virtual bool Submit() = 0;                                                   // 9
  virtual bool Flush() = 0;                                                    // 10
  virtual int PendingCount() = 0;                                              // 11
  virtual bool SetUploadInterval(int seconds) = 0;                             // 12
  virtual bool SetChannel(const wchar_t* channel) = 0;                         // 13
  virtual bool SetVersion(const wchar_t* version) = 0;                         // 14
  virtual bool SetDouble(const wchar_t* name, double value) = 0;               // 15
  virtual bool Discard() = 0;                                                  // 16
  virtual bool IsReady() = 0;                                                  // 17
  virtual bool Begin(const wchar_t* schema) = 0;                               // 18

 protected:
  ~ITalloClient2() = default;  // released through slot 2
};

inline constexpr int kClientSlotCount = 19;

}  // namespace tallo

namespace vip_sdk {

// A record under construction inside the VIP SDK; opaque to the module.
struct TalloRecord;

class ITalloInterface {
 public:
  // 0: starts a record of that schema and answers its handle; null for an empty or malformed schema.
  virtual TalloRecord* __stdcall Begin(const wchar_t* schema) = 0;
  virtual int __stdcall SetString(const wchar_t* name, const wchar_t* value) = 0;  // 1
  virtual int __stdcall SetInt(const wchar_t* name, int value) = 0;                // 2
  virtual int __stdcall SetInt64(const wchar_t* name, int64_t value) = 0;          // 3
  virtual int __stdcall SetIntEx(const wchar_t* name, int value, int extra) = 0;   // 4

 protected:
  ~ITalloInterface() = default;  // owned by the SDK
};

// The reporting object as the SDK lays it out: the base table, then the reporting table one
// pointer further on.
class ITalloObject : public IBaseInterface, public ITalloInterface {
 protected:
  ~ITalloObject() = default;
};

// The root as the reporting path sees it: slots 3 to 12 are the library's own and never called
// by the module; slot 13 takes a finished record (and frees it, whatever the answer).
class IVipSdkRecordRoot : public IBaseInterface {
 public:
  virtual int __stdcall RootSlot3() = 0;
  virtual int __stdcall RootSlot4() = 0;
  virtual int __stdcall RootSlot5() = 0;
  virtual int __stdcall RootSlot6() = 0;
  virtual int __stdcall RootSlot7() = 0;
  virtual int __stdcall RootSlot8() = 0;
  virtual int __stdcall RootSlot9() = 0;
  virtual int __stdcall RootSlot10() = 0;
  virtual int __stdcall RootSlot11() = 0;
  virtual int __stdcall RootSlot12() = 0;
  virtual int __stdcall SubmitRecord(TalloRecord* record) = 0;  // 13

 protected:
  ~IVipSdkRecordRoot() = default;
};

inline constexpr int kRecordRootSubmitSlot = 13;

}  // namespace vip_sdk

static_assert(sizeof(tallo::ITalloClient2) == sizeof(void*) && sizeof(vip_sdk::ITalloInterface) == sizeof(void*) &&
                  sizeof(vip_sdk::IVipSdkRecordRoot) == sizeof(void*),
              "an interface is only its table pointer");
static_assert(sizeof(vip_sdk::ITalloObject) == 2 * sizeof(void*), "two table pointers, the base one first");
