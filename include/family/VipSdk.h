#pragma once

// The contract with the product family's VIP SDK library. Its export "GetInterface"(interface id,
// out root) hands out the root object; the root's slot 2 hands out further interfaces by narrow
// name. Two generations of the core interface exist, both handed out for "vip_sdk_core_interface":
// the older one (vip_sdk_ablo) where the product line is 2, taken as it comes, the newer one
// (vip_sdk) elsewhere, taken only when its slot 1 names it "vip_sdk_core_interface" (the older one
// names itself "vip_sdk_ablo_core_interface"): the SDK's objects carry no type information the
// module could read. Every table uses the standard call convention with the object first; slot 0 of an
// object's table is the single deleting destructor of the host family's compiler. Listener tables
// have no destructor slot.
// Texts handed out are BSTRs that the caller frees with SysFreeString.

#include <windows.h>
// BSTR without the COM declarations
#include <wtypes.h>

#include <cstdint>

namespace vip_sdk {

// {2755E5B8-0325-4DCE-9031-33DBCE1E68A4}
inline constexpr GUID kVipSdkRootId = {0x2755e5b8, 0x0325, 0x4dce, {0x90, 0x31, 0x33, 0xdb, 0xce, 0x1e, 0x68, 0xa4}};
inline constexpr char kGetInterfaceExport[] = "GetInterface";
inline constexpr char kCoreInterfaceName[] = "vip_sdk_core_interface";
inline constexpr char kTalloInterfaceName[] = "vip_sdk_tallo_interface";
inline constexpr char kTessikTalloInterfaceName[] = "tessik_vip_sdk_tallo_interface";

class IBaseInterface;
using GetInterfaceFn = HRESULT(__stdcall*)(const GUID* iid, IBaseInterface** root);

class IBaseInterface {
 public:
  virtual void* __stdcall DeletingDestructor(unsigned int flags) = 0;  // 0
  virtual const char* __stdcall InterfaceName() = 0;                   // 1
  // Not owned by the caller; null for an unknown name.
  virtual IBaseInterface* __stdcall QueryInterface(const char* name) = 0;  // 2

 protected:
  ~IBaseInterface() = default;
};

// Slots 3 to 32, the same in both generations and in the module's own view of them; only the
// listener type differs.
template <class Listener>
class CoreInterfaceSlots : public IBaseInterface {
 public:
  virtual bool __stdcall Init(int productId) = 0;                               // 3
  virtual bool __stdcall UnInit() = 0;                                          // 4
  virtual bool __stdcall SetProductId(int productId) = 0;                       // 5
  virtual int __stdcall GetProductId() = 0;                                     // 6
  virtual bool __stdcall SetChannel(const wchar_t* channel) = 0;                // 7
  virtual int __stdcall GetSdkVersion() = 0;                                    // 8
  virtual int __stdcall GetInterfaceVersion() = 0;                              // 9
  virtual bool __stdcall Login(int from) = 0;                                   // 10
  virtual bool __stdcall Logout() = 0;                                          // 11
  virtual bool __stdcall IsLogin() = 0;                                         // 12
  virtual bool __stdcall IsTourist() = 0;                                       // 13
  virtual bool __stdcall GetOpenId(BSTR* text) = 0;                             // 14
  virtual bool __stdcall GetToken(BSTR* text) = 0;                              // 15
  virtual bool __stdcall GetNickName(BSTR* text) = 0;                           // 16
  virtual bool __stdcall GetAvatar(BSTR* text) = 0;                             // 17
  virtual bool __stdcall RefreshUserInfo() = 0;                                 // 18
  virtual bool __stdcall GetUserInfoJson(BSTR* json, int flag) = 0;             // 19
  virtual bool __stdcall HasPrivilege(const wchar_t* name, int flag) = 0;       // 20
  virtual int __stdcall GetPrivilegeCount() = 0;                                // 21
  virtual int __stdcall GetVipType() = 0;                                       // 22
  virtual int __stdcall GetVipExpireDate() = 0;                                 // 23
  virtual bool __stdcall OpenLoginWindow(int from) = 0;                         // 24
  virtual bool __stdcall OpenChargeWindow(int from) = 0;                        // 25
  virtual bool __stdcall OpenUserCenter(int from) = 0;                          // 26
  virtual bool __stdcall AddUserInfoChangeListener(Listener* listener) = 0;     // 27
  virtual bool __stdcall RemoveUserInfoChangeListener(Listener* listener) = 0;  // 28
  virtual bool __stdcall ReportAction(const wchar_t* action) = 0;               // 29
  virtual bool __stdcall IsVip() = 0;                                           // 30
  virtual bool __stdcall IsSuperVip() = 0;                                      // 31
  virtual int __stdcall GetLastErrorCode() = 0;                                 // 32

 protected:
  ~CoreInterfaceSlots() = default;
};

// The SDK calls these from a thread of its own.
class IUserInfoChangeListener {
 public:
  virtual void __stdcall OnUserInfoChange(int reason) = 0;       // 0
  virtual void __stdcall OnLoginStateChange(bool loggedIn) = 0;  // 1

 protected:
  ~IUserInfoChangeListener() = default;
};

// The newer generation.
class IVipSdkCoreInterface : public CoreInterfaceSlots<IUserInfoChangeListener> {
 public:
  virtual int __stdcall GetAccountKind() = 0;                  // 33
  virtual bool __stdcall IsPermissionVip() = 0;                // 34
  virtual int64_t __stdcall GetPermissionVipInfo() = 0;        // 35
  virtual int64_t __stdcall GetExpirePermissionVipInfo() = 0;  // 36
  virtual bool __stdcall IsContinuous() = 0;                   // 37
  virtual int __stdcall GetCouponCount() = 0;                  // 38
  virtual bool __stdcall RefreshVipList() = 0;                 // 39
  virtual bool __stdcall GetVipListJson(BSTR* json) = 0;       // 40
  virtual bool __stdcall QueryExtendedInfo() = 0;              // 41

 protected:
  ~IVipSdkCoreInterface() = default;
};

inline constexpr int kNewerCoreSlotCount = 42;

}  // namespace vip_sdk

namespace vip_sdk_ablo {

// What the older generation's core interface answers at slot 1.
inline constexpr char kCoreInterfaceOwnName[] = "vip_sdk_ablo_core_interface";

class IUserInfoChangeListener {
 public:
  virtual void __stdcall OnUserInfoChange(int reason) = 0;       // 0
  virtual void __stdcall OnLoginStateChange(bool loggedIn) = 0;  // 1

 protected:
  ~IUserInfoChangeListener() = default;
};

// The older generation (product line 2).
class IVipSdkCoreInterface : public vip_sdk::CoreInterfaceSlots<IUserInfoChangeListener> {
 public:
  virtual int __stdcall GetLegacyVipLevel() = 0;  // 33

 protected:
  ~IVipSdkCoreInterface() = default;
};

inline constexpr int kOlderCoreSlotCount = 34;

}  // namespace vip_sdk_ablo

namespace vip_sdk_pdf {

// The module's listener: what it registers with either generation through its wrapper.
class IPdfUserInfoChangeListener {
 public:
  virtual void __stdcall OnUserInfoChange(int reason) = 0;       // 0
  virtual void __stdcall OnLoginStateChange(bool loggedIn) = 0;  // 1

 protected:
  ~IPdfUserInfoChangeListener() = default;
};

// One view over both generations: 33 is the older's 33, 34 the newer's 33, 35 to 42 the newer's
// slot one lower.
class IPdfVipSdkCoreInterface : public vip_sdk::CoreInterfaceSlots<IPdfUserInfoChangeListener> {
 public:
  virtual int __stdcall GetLegacyVipLevel() = 0;               // 33
  virtual int __stdcall GetAccountKind() = 0;                  // 34
  virtual bool __stdcall IsPermissionVip() = 0;                // 35
  virtual int64_t __stdcall GetPermissionVipInfo() = 0;        // 36
  virtual int64_t __stdcall GetExpirePermissionVipInfo() = 0;  // 37
  virtual bool __stdcall IsContinuous() = 0;                   // 38
  virtual int __stdcall GetCouponCount() = 0;                  // 39
  virtual bool __stdcall RefreshVipList() = 0;                 // 40
  virtual bool __stdcall GetVipListJson(BSTR* json) = 0;       // 41
  virtual bool __stdcall QueryExtendedInfo() = 0;              // 42

 protected:
  ~IPdfVipSdkCoreInterface() = default;
};

inline constexpr int kWrapperSlotCount = 43;

}  // namespace vip_sdk_pdf

static_assert(sizeof(vip_sdk::IBaseInterface) == sizeof(void*) &&
                  sizeof(vip_sdk::IVipSdkCoreInterface) == sizeof(void*) &&
                  sizeof(vip_sdk_ablo::IVipSdkCoreInterface) == sizeof(void*) &&
                  sizeof(vip_sdk_pdf::IPdfVipSdkCoreInterface) == sizeof(void*),
              "an interface is only its table pointer");
static_assert(sizeof(vip_sdk::IUserInfoChangeListener) == sizeof(void*) &&
              sizeof(vip_sdk_ablo::IUserInfoChangeListener) == sizeof(void*) &&
              sizeof(vip_sdk_pdf::IPdfUserInfoChangeListener) == sizeof(void*));
static_assert(sizeof(BSTR) == sizeof(void*) && sizeof(GUID) == 16);
static_assert(sizeof(bool) == 1 && sizeof(int) == 4, "results cross as one byte and 32-bit integers");
