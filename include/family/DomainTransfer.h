#pragma once

// The contract with the URL domain-transfer library "wexutil.dll". Its export
// DllGetClassObject(const IID*, void** out) hands out an IDomainTransfer. Every call passes the
// object as its first stack argument (standard call).

#include <windows.h>

namespace qm {

// {791AA04A-58F4-4B3B-87CC-BD13883C2E1E}
inline constexpr GUID kDomainTransferId = {
    0x791aa04a, 0x58f4, 0x4b3b, {0x87, 0xcc, 0xbd, 0x13, 0x88, 0x3c, 0x2e, 0x1e}};

using DomainTransferFactory = HRESULT(__stdcall*)(const GUID* iid, void** out);

// What the module tells the library about the detected product.
class IProductConfig {
 public:
  virtual int __stdcall IsValid() = 0;                         // 0: always 1
  virtual const wchar_t* __stdcall DataFolder() = 0;           // 1: product folder + "data"
  virtual const wchar_t* __stdcall ProductFolder() = 0;        // 2
  virtual int __stdcall ProductId() = 0;                       // 3

 protected:
  ~IProductConfig() = default;
};

class IDomainTransfer {
 public:
  // Receives the rewritten URL.
  class IFuncCallBack {
   public:
    virtual void __stdcall SetResult(const wchar_t* text) = 0;        // 0: null stores ""
    virtual void __stdcall SetSecondResult(const wchar_t* text) = 0;  // 1

   protected:
    ~IFuncCallBack() = default;
  };

  virtual int __stdcall Reserved0() = 0;                                          // 0
  virtual int __stdcall Reserved1() = 0;                                          // 1
  virtual int __stdcall Initialize(IProductConfig* config) = 0;                   // 2: non-zero on success
  virtual void __stdcall Release() = 0;                                           // 3
  virtual int __stdcall Transfer(const wchar_t* url, IFuncCallBack* callback) = 0;  // 4: non-zero when rewritten

 protected:
  ~IDomainTransfer() = default;
};

// Each interface is only its table pointer, in either architecture.
static_assert(sizeof(IProductConfig) == sizeof(void*) && sizeof(IDomainTransfer) == sizeof(void*) &&
              sizeof(IDomainTransfer::IFuncCallBack) == sizeof(void*));

}  // namespace qm
