#pragma once

// The contract with the Tessik host's privilege store: two libraries in the host's program folder
// that answer yes or no for a privilege name. Standard-call tables, the object passed first; no
// slot throws.
//  - the first library's export "GetInterface"(interface id, out object) hands out an
//    IPrivilegeQuery for kPrivilegeQueryId; the object belongs to the library.
//  - the second library's export "DllGetClassObject"(kUnknownId, kPrivilegeObjectId, out object)
//    hands out a new IPrivilegeObject with one reference, which the caller releases.

#include <windows.h>

namespace vdpriv {

// {5152818F-E2BA-47E7-B8AF-3DBD6BEA716C}
inline constexpr GUID kPrivilegeQueryId = {0x5152818f, 0xe2ba, 0x47e7, {0xb8, 0xaf, 0x3d, 0xbd, 0x6b, 0xea, 0x71, 0x6c}};
// {00000000-0000-0000-C000-000000000046}
inline constexpr GUID kUnknownId = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {DE77B396-FA2E-4DA4-9754-04CFCBAE1DB1}
inline constexpr GUID kPrivilegeObjectId = {0xde77b396, 0xfa2e, 0x4da4, {0x97, 0x54, 0x04, 0xcf, 0xcb, 0xae, 0x1d, 0xb1}};

inline constexpr char kGetInterfaceExport[] = "GetInterface";
inline constexpr char kGetClassObjectExport[] = "DllGetClassObject";
using GetInterfaceFn = HRESULT(__stdcall*)(const GUID* interfaceId, void** object);
using GetClassObjectFn = HRESULT(__stdcall*)(const GUID* first, const GUID* second, void** object);

class IPrivilegeQuery {
 public:
  virtual int __stdcall Version() = 0;                                                  // 0
  virtual bool __stdcall Refresh() = 0;                                                 // 1
  virtual bool __stdcall IsLoggedIn() = 0;                                              // 2
  virtual int __stdcall PrivilegeCount() = 0;                                           // 3
  virtual int __stdcall PrivilegeName(int index, wchar_t* buffer, int capacity) = 0;    // 4
  virtual int __stdcall UserKind() = 0;                                                 // 5
  virtual int __stdcall ExpiryDate() = 0;                                               // 6
  virtual int __stdcall LastError() = 0;                                                // 7
  virtual bool __stdcall IsReady() = 0;                                                 // 8
  virtual bool __stdcall HasPrivilege(const wchar_t* name) = 0;                         // 9

 protected:
  ~IPrivilegeQuery() = default;
};

class IPrivilegeObject {
 public:
  virtual HRESULT __stdcall QueryInterface(const GUID* id, void** object) = 0;  // 0
  virtual ULONG __stdcall AddRef() = 0;                                        // 1
  virtual ULONG __stdcall Release() = 0;                                       // 2
  virtual bool __stdcall Refresh() = 0;                                        // 3
  virtual bool __stdcall HasPrivilege(const wchar_t* name) = 0;                // 4

 protected:
  ~IPrivilegeObject() = default;
};

static_assert(sizeof(IPrivilegeQuery) == sizeof(void*) && sizeof(IPrivilegeObject) == sizeof(void*));

}  // namespace vdpriv
