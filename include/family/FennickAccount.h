#pragma once

// The contract with the Fennick browser's account library. Its export "DllQueryInterface"(id)
// hands out a new object for each of the two ids, or null; the caller releases it. Member calls
// use the family's default member convention; the export is a standard call. No slot throws.

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace fkaccount {

// {15C2F7AD-98E0-44F5-88D9-E7BEB9E91E9E}: IFkAccount
inline constexpr GUID kAccountId = {0x15c2f7ad, 0x98e0, 0x44f5, {0x88, 0xd9, 0xe7, 0xbe, 0xb9, 0xe9, 0x1e, 0x9e}};
// {D9EDD2CA-6C31-468D-B741-364370ECAD49}: IFkAccountService
inline constexpr GUID kAccountServiceId = {0xd9edd2ca, 0x6c31, 0x468d, {0xb7, 0x41, 0x36, 0x43, 0x70, 0xec, 0xad, 0x49}};

inline constexpr char kQueryExport[] = "DllQueryInterface";
using QueryInterfaceFn = void*(__stdcall*)(const GUID* id);

// The signed-in account; texts are NUL-terminated within their arrays. The same layout in both
// architectures (no pointers).
struct FkAccountRecord {
  uint32_t size;  // sizeof(FkAccountRecord), set by the caller
  int32_t loggedIn;
  int32_t vipType;
  int32_t from;
  int64_t vipExpire;
  int64_t permissionVip;
  int64_t expirePermissionVip;
  int32_t isTourist;
  int32_t isContinuous;
  wchar_t openId[64];
  wchar_t token[256];
  wchar_t nickName[64];
  wchar_t avatar[260];
};
static_assert(sizeof(FkAccountRecord) == 48 + 2 * (64 + 256 + 64 + 260) && offsetof(FkAccountRecord, vipExpire) == 16);

// Told on a thread of the library whenever the account changes.
class IFkAccountInfoObserver {
 public:
  virtual void OnAccountInfoChanged() = 0;  // 0

 protected:
  ~IFkAccountInfoObserver() = default;
};

class IFkAccount {
 public:
  // Fills the record of a signed-in account; false when nobody is signed in.
  virtual bool GetAccountInfo(FkAccountRecord* record) = 0;         // 0
  virtual bool AddObserver(IFkAccountInfoObserver* observer) = 0;     // 1
  virtual bool RemoveObserver(IFkAccountInfoObserver* observer) = 0;  // 2
  virtual void Release() = 0;                                         // 3

 protected:
  ~IFkAccount() = default;
};

class IFkAccountService {
 public:
  virtual int Version() = 0;   // 0
  virtual void Release() = 0;  // 1

 protected:
  ~IFkAccountService() = default;
};

static_assert(sizeof(IFkAccount) == sizeof(void*) && sizeof(IFkAccountService) == sizeof(void*) &&
              sizeof(IFkAccountInfoObserver) == sizeof(void*));

}  // namespace fkaccount
