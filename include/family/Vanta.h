#pragma once

// The contract with the remote-configuration library "zvanta.dll". Its export
// DllGetClassObject(const IID*, void** out) hands out the root object; components are fetched by
// name from it and taken for their interface when slot 5 gives the same name (the library's
// objects carry no type information the module could read); the slot numbers below are the
// binary contract. Slot 0 of every table is the
// single deleting destructor of the host family's compiler (flag bit 0 frees the memory).

#include <windows.h>
// BSTR without the COM declarations of DllGetClassObject
#include <wtypes.h>

namespace vanta {

// {4F97D208-7BC7-4B03-8083-3242FC240ED8}
inline constexpr GUID kVantaRootId = {0x4f97d208, 0x7bc7, 0x4b03, {0x80, 0x83, 0x32, 0x42, 0xfc, 0x24, 0x0e, 0xd8}};

using VantaFactory = HRESULT(__stdcall*)(const GUID* iid, void** out);

class IBaseInterface {
 public:
  virtual void* DeletingDestructor(unsigned int flags) = 0;              // 0
  virtual bool Start() = 0;                                              // 1
  virtual void Release() = 0;                                            // 2
  virtual bool IsMethodSupported(const wchar_t* method) = 0;             // 3
  virtual IBaseInterface* GetComponent(const wchar_t* name) = 0;         // 4
  virtual const wchar_t* Name() = 0;                                     // 5

 protected:
  ~IBaseInterface() = default;
};

class IRaw : public IBaseInterface {
 public:
  virtual bool GetRawConfig(const wchar_t* name, BSTR* text) = 0;  // 6

 protected:
  ~IRaw() = default;
};

class IABTest : public IBaseInterface {
 public:
  virtual int GetGroup(const wchar_t* name, int defaultGroup) = 0;                               // 6
  virtual bool GetParam(const wchar_t* name, const wchar_t* defaultText, BSTR* text) = 0;        // 7

 protected:
  ~IABTest() = default;
};

class ISwitch : public IBaseInterface {
 public:
  virtual bool GetSwitch(const wchar_t* name, bool defaultValue) = 0;  // 6

 protected:
  ~ISwitch() = default;
};

class IUpdate : public IBaseInterface {
 public:
  virtual bool Update() = 0;  // 6

 protected:
  ~IUpdate() = default;
};

// The host identity, one value a setter; results are ignored.
class IConfig : public IBaseInterface {
 public:
  virtual bool SetSvrId(const wchar_t* value) = 0;          // 6
  virtual bool SetProductId(const wchar_t* value) = 0;      // 7
  virtual bool SetProductName(const wchar_t* value) = 0;    // 8
  virtual bool SetPackageName(const wchar_t* value) = 0;    // 9
  virtual bool SetTryNo(const wchar_t* value) = 0;          // 10
  virtual bool SetTid1(const wchar_t* value) = 0;           // 11
  virtual bool SetTid2(const wchar_t* value) = 0;           // 12
  virtual bool SetTod1(const wchar_t* value) = 0;           // 13
  virtual bool SetTod2(const wchar_t* value) = 0;           // 14
  virtual bool SetIid(const wchar_t* value) = 0;            // 15
  virtual bool SetUuid(const wchar_t* value) = 0;           // 16
  virtual bool SetChannelKind(const wchar_t* value) = 0;    // 17
  virtual bool SetCityNumber(const wchar_t* value) = 0;     // 18
  virtual bool SetRelativeRegPath(const wchar_t* value) = 0;  // 19

 protected:
  ~IConfig() = default;
};

// Each interface is only its table pointer, in either architecture; BSTR crosses as a pointer.
static_assert(sizeof(IBaseInterface) == sizeof(void*) && sizeof(IRaw) == sizeof(void*) &&
              sizeof(IABTest) == sizeof(void*) && sizeof(ISwitch) == sizeof(void*) &&
              sizeof(IUpdate) == sizeof(void*) && sizeof(IConfig) == sizeof(void*));
static_assert(sizeof(BSTR) == sizeof(void*));

}  // namespace vanta
